// The General options dialog (Form10): the Log, Other and Output pages;
// modal. It edits a copy: "OK" saves general.ini and every close reloads the
// settings from the file. The Log page shows and clears the insertion log.
#pragma once

#include <QDialog>

#include "core/calculator.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

namespace korvex {

class MessageSeam;

class GeneralOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  GeneralOptionsDialog(Calculator& calculator, MessageSeam& messages, QWidget* parent);

  // Tools > "General options...": the log page filled from log.ini, the
  // saved settings, then the dialog, modally.
  void OpenDialog();
  // Reads general.ini into the live settings and the controls (the close).
  void LoadGeneralSettings();

 signals:
  // The live settings were reloaded: the engine, the input's completion and
  // the status bar follow them.
  void settingsLoaded();

 private:
  QWidget* LogPage();
  QWidget* OtherPage();
  QWidget* OutputPage();
  void ShowSettings(const GeneralSettings& settings);
  GeneralSettings EditedSettings() const;
  void ShowInsertionLog();
  void numbersysChange();
  void okClick();
  void defaultbuttonClick();
  void clearClick();

  Calculator& calculator_;
  MessageSeam& messages_;
  QTabWidget* generalbox_;
  QCheckBox* logcheck_;
  QPlainTextEdit* log_;
  QCheckBox* autocheck_;
  QCheckBox* storecheck_;
  QCheckBox* previewcheck_;
  QSpinBox* loop_;
  QSpinBox* reminder_;
  QComboBox* numbersys_;
  QSpinBox* precision_;
  QCheckBox* scicheck_;
  QCheckBox* pointcheck_;
};

}  // namespace korvex
