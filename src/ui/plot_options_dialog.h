// The "Plot options" dialog (Form14): edits a copy of the plot settings;
// "OK" saves plot.ini and every close reloads the live settings from it.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "settings/plot_file.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace korvex {

class Calculator;

// The colour picker, behind a seam so tests choose without a modal dialog.
class ColourSeam {
 public:
  virtual ~ColourSeam() = default;
  // The chosen colour, or nothing when the user cancelled.
  virtual std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) = 0;
};

class QtColourSeam : public ColourSeam {
 public:
  std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) override;
};

class PlotOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // Without `colours` the dialog uses the real colour picker.
  explicit PlotOptionsDialog(Calculator& calculator, QWidget* parent = nullptr,
                             ColourSeam* colours = nullptr);
  ~PlotOptionsDialog() override;

  // plot.ini into the live settings and the controls. Every close of the
  // dialog reloads.
  void LoadPlotSettings();
  // The settings as the controls hold them.
  PlotSettings ControlSettings() const;
  // Every way of closing ends here: "OK", "Cancel", Escape and the close box.
  void done(int result) override;

 signals:
  // The live settings were reloaded from plot.ini.
  void settingsLoaded();

 public slots:
  void okClick();
  void cancelClick();
  void defaultClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct AxisControls {
    QCheckBox* automatic;
    QCheckBox* inverted;
    QCheckBox* logarithmic;
    QLineEdit* maximum;
    QLineEdit* minimum;
    QLineEdit* log_base;
  };
  struct ColourPanel {
    QPushButton* panel;
    Colour colour;
  };

  QWidget* MakeCalculationsPage();
  QWidget* MakeScalesPage();
  QWidget* MakeVisualsPage();
  AxisControls MakeAxisControls(QWidget* parent, char axis);
  ColourPanel MakeColourPanel(QWidget* parent, const char* name);
  void ShowSettings(const PlotSettings& settings);
  void ShowColour(ColourPanel& panel, Colour colour);
  void ChooseColour(ColourPanel& panel);
  void ApplyEnabling();

  Calculator& calculator_;
  std::unique_ptr<ColourSeam> own_colours_;
  ColourSeam* colours_;

  QTabWidget* pages_;
  QLineEdit* start_;
  QLineEdit* stop_;
  QLineEdit* increment_;
  QLineEdit* variable_;
  QRadioButton* single_;
  QRadioButton* multiple_;
  QRadioButton* multipleall_;
  QCheckBox* derivative_;
  QLineEdit* epsilon_;
  AxisControls x_{};
  AxisControls y_{};
  QCheckBox* stairscheck_;
  QCheckBox* pointscheck_;
  QCheckBox* hgridcheck_;
  QCheckBox* vgridcheck_;
  ColourPanel graphc_{};
  ColourPanel pointc_{};
  ColourPanel backc_{};
  ColourPanel gridc_{};
  QCheckBox* dimensioncheck_;
  QSpinBox* percentud_;
};

}  // namespace korvex
