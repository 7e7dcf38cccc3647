// The Warning dialog (Form23): asked before a very large table is filled.
// Behind a seam so tests answer without a modal loop.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace korvex {

class PlotWarningSeam {
 public:
  virtual ~PlotWarningSeam() = default;
  // "Recommended:" and "This operation includes:" values; true for "Yes".
  virtual bool ConfirmLargeTable(const QString& recommended, const QString& includes) = 0;
};

class PlotWarningDialog : public QDialog, public PlotWarningSeam {
  Q_OBJECT

 public:
  explicit PlotWarningDialog(QWidget* parent = nullptr);

  // Modal; waits until the dialog closes.
  bool ConfirmLargeTable(const QString& recommended, const QString& includes) override;

 public slots:
  void yesClick();
  void noClick();

 private:
  QLabel* recommended_;
  QLabel* includes_;
};

}  // namespace korvex
