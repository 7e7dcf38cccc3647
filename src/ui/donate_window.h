// The donation window (Form12, "Donate (PayPal)"): three choices and "OK".
#pragma once

#include <QDialog>

class QRadioButton;

namespace korvex {

class MessageSeam;
class Shell;

inline constexpr const char* kDonateThanksMessage = "Thank you for choosing to donate";
inline constexpr const char* kAlreadyDonatedMessage = "Thank you for supporting this product!";

// The payment service's donation page for `recipient`, with the query keys
// in their fixed order.
QString DonationPageAddress(const QString& payment_host, const QString& recipient);

class DonateWindow : public QDialog {
  Q_OBJECT

 public:
  DonateWindow(Shell& shell, MessageSeam& messages, QWidget* parent = nullptr);

  // Help > "Donate (PayPal)": modeless, or to the front.
  void ShowWindow();

 public slots:
  void okClick();

 private:
  Shell& shell_;
  MessageSeam& messages_;
  QRadioButton* yes_;
  QRadioButton* done_;
};

}  // namespace korvex
