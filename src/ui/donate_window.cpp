// The donation window and the address of the payment page.
#include "ui/donate_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/addresses.h"
#include "ui/message_seam.h"
#include "ui/shell.h"
#include "ui/show_modeless.h"

namespace korvex {
namespace {

struct DonateTexts {
  const char* caption = "Donate (PayPal)";
  const char* group = "Do you want to help this product?";
  const char* appeal =
      "Even thought Korvex is a free software, it has take me a great time and hard work to "
      "develop this product. To help further development and to make Korvex even better, you can "
      "give support by making a small donation.";
  const char* yes = "I want to help this product with a donation";
  const char* no = "Sorry, but I don't want to donate";
  const char* done = "I have already donated";
  const char* ok = "OK";
  const char* ok_hint = "Continue and close current form";
};
constexpr DonateTexts kTexts;

}  // namespace

QString DonationPageAddress(const QString& payment_host, const QString& recipient) {
  const QString business = QString::fromLatin1(QUrl::toPercentEncoding(recipient));
  const QStringList query = {
      QStringLiteral("cmd=_xclick"),         QStringLiteral("business=") + business,
      QStringLiteral("item_name=Korvex"),    QStringLiteral("no_shipping=1"),
      QStringLiteral("no_note=1"),           QStringLiteral("tax=0"),
      QStringLiteral("currency_code=USD"),   QStringLiteral("lc=NO"),
      QStringLiteral("bn=PP%2dDonationsBF"), QStringLiteral("charset=UTF%2d8"),
  };
  return payment_host + QStringLiteral("/cgi-bin/webscr?") + query.join(QLatin1Char('&'));
}

DonateWindow::DonateWindow(Shell& shell, MessageSeam& messages, QWidget* parent)
    : QDialog(parent), shell_(shell), messages_(messages) {
  setObjectName(QStringLiteral("Form12"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* appeal = new QLabel(QString::fromUtf8(kTexts.appeal), group);
  appeal->setWordWrap(true);
  yes_ = new QRadioButton(QString::fromUtf8(kTexts.yes), group);
  yes_->setObjectName(QStringLiteral("yes"));
  yes_->setChecked(true);
  auto* no = new QRadioButton(QString::fromUtf8(kTexts.no), group);
  no->setObjectName(QStringLiteral("no"));
  done_ = new QRadioButton(QString::fromUtf8(kTexts.done), group);
  done_->setObjectName(QStringLiteral("done"));

  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(appeal);
  group_layout->addSpacing(6);
  group_layout->addWidget(yes_);
  group_layout->addWidget(no);
  group_layout->addWidget(done_);

  auto* ok = new QPushButton(QString::fromUtf8(kTexts.ok), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setToolTip(QString::fromUtf8(kTexts.ok_hint));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &DonateWindow::okClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setMinimumWidth(440);
}

void DonateWindow::ShowWindow() { ShowModeless(*this); }

void DonateWindow::okClick() {
  close();
  if (yes_->isChecked()) {
    shell_.OpenWithShell(DonationPageAddress(QString::fromUtf8(kPaymentHost),
                                             QString::fromUtf8(kDonationRecipient)));
    messages_.Inform(QString::fromUtf8(kDonateThanksMessage));
  } else if (done_->isChecked()) {
    messages_.Inform(QString::fromUtf8(kAlreadyDonatedMessage));
  }
}

}  // namespace korvex
