// The benchmark result window's texts and layout.
#include "ui/benchmark_result_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/about_window.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct ResultTexts {
  const char* caption = "Benchmark result";
  const char* group = "Korvex score";
  const char* congratulations = "Congratulations!";
  const char* success = "You have successfully run the benchmark";
  const char* average = "Your average MS is:";
  const char* initial_score = "0";
};
constexpr ResultTexts kTexts;

}  // namespace

BenchmarkResultWindow::BenchmarkResultWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form22"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* picture = new QLabel(this);
  picture->setPixmap(KorvexLogo(64, devicePixelRatioF()));
  picture->setAlignment(Qt::AlignTop);

  auto* congratulations = new QLabel(QString::fromUtf8(kTexts.congratulations), this);
  QFont heading = congratulations->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.3);
  congratulations->setFont(heading);

  score_ = new QLabel(QString::fromUtf8(kTexts.initial_score), this);
  score_->setObjectName(QStringLiteral("score"));
  QFont score_font = score_->font();
  score_font.setBold(true);
  score_font.setPointSizeF(score_font.pointSizeF() * 2);
  score_->setFont(score_font);

  auto* texts = new QVBoxLayout;
  texts->addWidget(congratulations);
  texts->addWidget(new QLabel(QString::fromUtf8(kTexts.success), this));
  texts->addSpacing(8);
  auto* score_row = new QHBoxLayout;
  score_row->addWidget(new QLabel(QString::fromUtf8(kTexts.average), this));
  score_row->addWidget(score_);
  score_row->addStretch();
  texts->addLayout(score_row);

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* group_layout = new QHBoxLayout(group);
  group_layout->addWidget(picture);
  group_layout->addSpacing(12);
  group_layout->addLayout(texts, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  connect(AddCloseButtonRow(layout, this), &QPushButton::clicked, this, &QDialog::close);
}

void BenchmarkResultWindow::ShowScore(qint64 score) {
  score_->setText(QString::number(score));
  ShowModal(this);
}

}  // namespace korvex
