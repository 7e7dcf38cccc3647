// korvex: the desktop calculator.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvex"));
  return 0;
}
