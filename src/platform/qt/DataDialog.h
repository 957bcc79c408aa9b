// DataDialog: a modal Qt dialog built from a DialogData.
//
// Controls appear in the order of the data, one line each or, where the data
// says so, several on one line read left to right as a sentence: labels, edit
// fields (narrow, with an integer validator, for integerOnly fields), check
// boxes, radio buttons (one exclusive group per `group` value), lists and
// combo boxes, push buttons that act at once on the data (the widgets then
// show its new values) and colour buttons that open the colour chooser. Each widget's objectName is its control id, so tests and tools
// find it by id. The first control that takes focus has it when the dialog
// shows, with its text selected when it is an edit field, so typing replaces
// the old value. The values go back into the data only when the user presses
// OK, and OK is refused while an integer field does not hold an integer.
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "platform/DialogData.h"

class QButtonGroup;

class DataDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kNotAnInteger = "整数を入力してください。";

  explicit DataDialog(DialogData& data, QWidget* parent = nullptr);

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Name(std::size_t index, QWidget* widget);
  bool IntegersValid();
  void WriteBack();
  void PressButton(int id);
  void ChooseColour(std::size_t index);

  DialogData& data_;
  std::vector<QWidget*> widgets_;  // one per control, in the order of the data
  std::map<int, QButtonGroup*> groups_;
  QWidget* initialFocus_ = nullptr;
};
