// The Mask options dialog (Form7): prefix, mask and suffix of the answer with
// a live preview; modal. It edits a copy: "OK" saves mask.ini and every
// close reloads the settings from the file.
#pragma once

#include <QDialog>

#include "core/calculator.h"

class QLabel;
class QLineEdit;

namespace korvex {

class MessageSeam;

class MaskOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `settings` are the live mask settings that answers use; `engine` gives
  // the stored answer and the decimal separator in force for the preview.
  MaskOptionsDialog(Calculator& calculator, MessageSeam& messages, QWidget* parent);

  // Tools > "Mask options...": the saved settings and their preview, then
  // the dialog, modally.
  void OpenDialog();
  // Reads mask.ini into the live settings and the boxes (the dialog's close).
  void LoadMaskSettings();

 signals:
  // The live settings were reloaded; the status bar shows their summary.
  void settingsLoaded();

 private:
  void ShowSettings(const MaskSettings& settings);
  MaskSettings EditedSettings() const;
  void previewChange();
  void okClick();
  void defaultbuttonClick();

  Calculator& calculator_;
  MessageSeam& messages_;
  QLineEdit* prefix_;
  QLineEdit* mask_;
  QLineEdit* suffix_;
  QLabel* preview_;
  QLabel* refusal_;  // why the mask is refused, under its field
};

}  // namespace korvex
