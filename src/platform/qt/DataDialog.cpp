#include "platform/qt/DataDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include "settings/AppIdentity.h"

namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Colours of the data are 0x00BBGGRR.
QColor ToQColor(int value) {
  const auto c = static_cast<unsigned>(value);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF));
}
int FromQColor(const QColor& c) { return c.red() | c.green() << 8 | c.blue() << 16; }

// A colour button is a swatch: its face filled with the colour.
void PaintSwatch(QPushButton* button, int value) {
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }")
                            .arg(ToQColor(value).name()));
}

// The controls grouped by line, as indexes into the data.
std::vector<std::vector<std::size_t>> Lines(const DialogData& data) {
  std::vector<std::vector<std::size_t>> lines;
  for (std::size_t i = 0; i < data.controls.size(); ++i) {
    if (lines.empty() || !data.controls[i].sameLine) lines.emplace_back();
    lines.back().push_back(i);
  }
  return lines;
}

// One line of a sentence: fields and text fragments left to right. Two
// fragments in a row join without a gap, as the words of one text; a field
// keeps the usual spacing from its neighbours.
class SentenceLine {
 public:
  explicit SentenceLine(int gap) : gap_(gap) { layout_->setSpacing(0); }

  void AddText(QLabel* label) { Add(label, 0, true); }
  void AddField(QWidget* widget, int stretch = 0) {
    Add(widget, stretch, false);
    stretches_ |= stretch > 0;
  }

  // The finished line; without a field that stretches, the line keeps to
  // the left and the free room goes to its end.
  QHBoxLayout* Finish() {
    if (!stretches_) layout_->addStretch(1);
    return layout_;
  }

 private:
  void Add(QWidget* widget, int stretch, bool text) {
    if (layout_->count() > 0 && !(text && lastWasText_)) layout_->addSpacing(gap_);
    layout_->addWidget(widget, stretch);
    lastWasText_ = text;
  }

  QHBoxLayout* layout_ = new QHBoxLayout;
  int gap_;
  bool lastWasText_ = false;
  bool stretches_ = false;
};

// The label of a field on the side the data asks for.
void AddLabelled(SentenceLine& line, const DialogControl& c, QWidget* field, int stretch) {
  QLabel* label = nullptr;
  if (!c.label.empty()) {
    label = new QLabel(Q(c.label));
    label->setBuddy(field);
  }
  if (label && !c.labelAfter) line.AddText(label);
  line.AddField(field, stretch);
  if (label && c.labelAfter) line.AddText(label);
}

// An integer field is as wide as six digits and a sign, not as the line.
void MakeNarrow(QLineEdit* edit) {
  const int digits = edit->fontMetrics().horizontalAdvance(QStringLiteral("-000000"));
  QStyleOptionFrame option;
  option.initFrom(edit);
  const QSize size = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                                     QSize(digits, edit->fontMetrics().height()), edit);
  edit->setFixedWidth(size.width());
}

}  // namespace

DataDialog::DataDialog(DialogData& data, QWidget* parent)
    : QDialog(parent), data_(data), widgets_(data.controls.size(), nullptr) {
  setWindowTitle(Q(data.caption));
  auto* layout = new QVBoxLayout(this);
  int gap = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this);
  if (gap < 0) gap = fontMetrics().averageCharWidth();
  for (const std::vector<std::size_t>& controls : Lines(data)) {
    SentenceLine line(gap);
    for (std::size_t i : controls) {
      const DialogControl& c = data.controls[i];
      QWidget* widget = nullptr;
      switch (c.kind) {
        case DialogControl::Kind::Label: {
          auto* label = new QLabel(Q(c.label));
          widget = label;
          line.AddText(label);
          break;
        }
        case DialogControl::Kind::Edit: {
          auto* edit = new QLineEdit(Q(c.text));
          if (c.integerOnly) {
            edit->setValidator(new QIntValidator(edit));
            MakeNarrow(edit);
          }
          widget = edit;
          AddLabelled(line, c, edit, c.integerOnly ? 0 : 1);
          break;
        }
        case DialogControl::Kind::Check: {
          auto* box = new QCheckBox(Q(c.label));
          box->setChecked(c.value != 0);
          widget = box;
          line.AddField(box);
          break;
        }
        case DialogControl::Kind::Radio: {
          auto* radio = new QRadioButton(Q(c.label));
          QButtonGroup*& group = groups_[c.group];
          if (!group) group = new QButtonGroup(this);
          group->addButton(radio);
          radio->setChecked(c.value != 0);
          widget = radio;
          line.AddField(radio);
          break;
        }
        case DialogControl::Kind::List: {
          auto* list = new QListWidget;
          for (const std::string& item : c.items) list->addItem(Q(item));
          if (c.value >= 0 && c.value < list->count()) list->setCurrentRow(c.value);
          widget = list;
          AddLabelled(line, c, list, 1);
          break;
        }
        case DialogControl::Kind::Button: {
          auto* button = new QPushButton(Q(c.label));
          const int id = c.id;
          connect(button, &QPushButton::clicked, this, [this, id] { PressButton(id); });
          widget = button;
          line.AddField(button);
          break;
        }
        case DialogControl::Kind::ColourButton: {
          auto* button = new QPushButton;
          button->setFixedSize(fontMetrics().height() * 2, fontMetrics().height() + 4);
          PaintSwatch(button, c.value);
          const std::size_t index = i;
          connect(button, &QPushButton::clicked, this, [this, index] { ChooseColour(index); });
          widget = button;
          AddLabelled(line, c, button, 0);
          break;
        }
        case DialogControl::Kind::Combo: {
          auto* combo = new QComboBox;
          for (const std::string& item : c.items) combo->addItem(Q(item));
          if (c.value >= 0 && c.value < combo->count()) combo->setCurrentIndex(c.value);
          widget = combo;
          AddLabelled(line, c, combo, 0);
          break;
        }
      }
      Name(i, widget);
    }
    layout->addLayout(line.Finish());
  }
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(Q(data.okLabel), QDialogButtonBox::AcceptRole);
  buttons->addButton(Q(data.cancelLabel), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &DataDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DataDialog::reject);
  layout->addWidget(buttons);

  for (QWidget* widget : widgets_) {
    if (widget->focusPolicy() & Qt::TabFocus) {
      initialFocus_ = widget;
      break;
    }
  }
}

void DataDialog::Name(std::size_t index, QWidget* widget) {
  widget->setObjectName(QString::number(data_.controls[index].id));
  widgets_[index] = widget;
}

void DataDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!initialFocus_) return;
  // Typing replaces the old value, as it does in a field reached by Tab.
  initialFocus_->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(initialFocus_)) edit->selectAll();
}

bool DataDialog::IntegersValid() {
  for (std::size_t i = 0; i < data_.controls.size(); ++i) {
    const DialogControl& c = data_.controls[i];
    if (c.kind != DialogControl::Kind::Edit || !c.integerOnly) continue;
    auto* edit = static_cast<QLineEdit*>(widgets_[i]);
    bool ok = false;
    edit->text().trimmed().toInt(&ok);
    if (!ok) {
      QMessageBox::warning(this, QString::fromUtf8(app_identity::kAppName), QString::fromUtf8(kNotAnInteger));
      edit->setFocus();
      edit->selectAll();
      return false;
    }
  }
  return true;
}

void DataDialog::WriteBack() {
  for (std::size_t i = 0; i < data_.controls.size(); ++i) {
    DialogControl& c = data_.controls[i];
    QWidget* w = widgets_[i];
    switch (c.kind) {
      case DialogControl::Kind::Label: break;
      case DialogControl::Kind::Edit: {
        const QString text = static_cast<QLineEdit*>(w)->text();
        c.text = (c.integerOnly ? text.trimmed() : text).toStdString();
        break;
      }
      case DialogControl::Kind::Check:
      case DialogControl::Kind::Radio: c.value = static_cast<QAbstractButton*>(w)->isChecked() ? 1 : 0; break;
      case DialogControl::Kind::List: c.value = static_cast<QListWidget*>(w)->currentRow(); break;
      case DialogControl::Kind::Combo: c.value = static_cast<QComboBox*>(w)->currentIndex(); break;
      case DialogControl::Kind::Button: break;
      case DialogControl::Kind::ColourButton: break;  // kept in the data as it is chosen
    }
  }
}

// A push button acts on the data at once; the widgets then show what it left.
void DataDialog::PressButton(int id) {
  WriteBack();
  if (data_.onButton) data_.onButton(data_, id);
  for (std::size_t i = 0; i < data_.controls.size(); ++i) {
    const DialogControl& c = data_.controls[i];
    QWidget* w = widgets_[i];
    switch (c.kind) {
      case DialogControl::Kind::Edit: static_cast<QLineEdit*>(w)->setText(Q(c.text)); break;
      case DialogControl::Kind::Check:
      case DialogControl::Kind::Radio: static_cast<QAbstractButton*>(w)->setChecked(c.value != 0); break;
      case DialogControl::Kind::List: static_cast<QListWidget*>(w)->setCurrentRow(c.value); break;
      case DialogControl::Kind::Combo: static_cast<QComboBox*>(w)->setCurrentIndex(c.value); break;
      case DialogControl::Kind::ColourButton: PaintSwatch(static_cast<QPushButton*>(w), c.value); break;
      case DialogControl::Kind::Label:
      case DialogControl::Kind::Button: break;
    }
  }
}

// The colour chooser, fully open, starts from the button's colour with the
// dialog's custom colours and gives back the ones it saved.
void DataDialog::ChooseColour(std::size_t index) {
  DialogControl& c = data_.controls[index];
  for (std::size_t j = 0; j < data_.customColours.size() && static_cast<int>(j) < QColorDialog::customCount(); ++j)
    QColorDialog::setCustomColor(static_cast<int>(j), ToQColor(static_cast<int>(data_.customColours[j])));
  const QColor chosen = QColorDialog::getColor(ToQColor(c.value), this);
  if (!chosen.isValid()) return;
  c.value = FromQColor(chosen);
  for (std::size_t j = 0; j < data_.customColours.size() && static_cast<int>(j) < QColorDialog::customCount(); ++j)
    data_.customColours[j] = static_cast<std::uint32_t>(FromQColor(QColorDialog::customColor(static_cast<int>(j))));
  PaintSwatch(static_cast<QPushButton*>(widgets_[index]), c.value);
}

void DataDialog::accept() {
  if (!IntegersValid()) return;
  WriteBack();
  QDialog::accept();
}
