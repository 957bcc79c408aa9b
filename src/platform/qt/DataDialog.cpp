#include "platform/qt/DataDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
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
#include <QVBoxLayout>

#include "settings/AppIdentity.h"

namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// A widget with the control's label on its left, when it has one.
void AddLabelled(QVBoxLayout* layout, const DialogControl& c, QWidget* widget) {
  if (c.label.empty()) {
    layout->addWidget(widget);
    return;
  }
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(Q(c.label));
  label->setBuddy(widget);
  row->addWidget(label);
  row->addWidget(widget, 1);
  layout->addLayout(row);
}

}  // namespace

DataDialog::DataDialog(DialogData& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(Q(data.caption));
  auto* layout = new QVBoxLayout(this);
  for (const DialogControl& c : data.controls) {
    QWidget* widget = nullptr;
    switch (c.kind) {
      case DialogControl::Kind::Label: {
        auto* label = new QLabel(Q(c.label));
        label->setWordWrap(true);
        widget = label;
        layout->addWidget(label);
        break;
      }
      case DialogControl::Kind::Edit: {
        auto* edit = new QLineEdit(Q(c.text));
        if (c.integerOnly) edit->setValidator(new QIntValidator(edit));
        widget = edit;
        AddLabelled(layout, c, edit);
        break;
      }
      case DialogControl::Kind::Check: {
        auto* box = new QCheckBox(Q(c.label));
        box->setChecked(c.value != 0);
        widget = box;
        layout->addWidget(box);
        break;
      }
      case DialogControl::Kind::Radio: {
        auto* radio = new QRadioButton(Q(c.label));
        QButtonGroup*& group = groups_[c.group];
        if (!group) group = new QButtonGroup(this);
        group->addButton(radio);
        radio->setChecked(c.value != 0);
        widget = radio;
        layout->addWidget(radio);
        break;
      }
      case DialogControl::Kind::List: {
        auto* list = new QListWidget;
        for (const std::string& item : c.items) list->addItem(Q(item));
        if (c.value >= 0 && c.value < list->count()) list->setCurrentRow(c.value);
        widget = list;
        AddLabelled(layout, c, list);
        break;
      }
      case DialogControl::Kind::Combo: {
        auto* combo = new QComboBox;
        for (const std::string& item : c.items) combo->addItem(Q(item));
        if (c.value >= 0 && c.value < combo->count()) combo->setCurrentIndex(c.value);
        widget = combo;
        AddLabelled(layout, c, combo);
        break;
      }
    }
    widget->setObjectName(QString::number(c.id));
    widgets_.push_back(widget);
  }
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(Q(data.okLabel), QDialogButtonBox::AcceptRole);
  buttons->addButton(Q(data.cancelLabel), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &DataDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DataDialog::reject);
  layout->addWidget(buttons);
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
    }
  }
}

void DataDialog::accept() {
  if (!IntegersValid()) return;
  WriteBack();
  QDialog::accept();
}
