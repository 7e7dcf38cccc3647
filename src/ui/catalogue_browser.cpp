// The catalogue browser: category filter, exact-name search, information and
// insertion of the selected entry.
#include "ui/catalogue_browser.h"
#include "ui/window_support.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/message_seam.h"

namespace korvex {
namespace {

// Texts the two windows share.
struct SharedTexts {
  const char* all = "All";
  const char* go = "Go";
  const char* go_hint = "Start search";
  const char* insert = "Insert";
  const char* close = "Close";
  const char* close_hint = "Close current form";
};
constexpr SharedTexts kShared;

QVBoxLayout* GroupLayout(QGroupBox* group) { return new QVBoxLayout(group); }

}  // namespace

CatalogueBrowser::CatalogueBrowser(const CatalogueBrowserTexts& texts, const Catalogue& catalogue,
                                   MessageSeam& messages, QWidget* parent)
    : QDialog(parent), texts_(texts), catalogue_(catalogue), messages_(messages) {
  setObjectName(QString::fromLatin1(texts.object_name));
  setWindowTitle(QString::fromUtf8(texts.caption));
  setSizeGripEnabled(true);

  auto* category_group = new QGroupBox(QString::fromUtf8(texts.category_group), this);
  category_ = new QComboBox(category_group);
  category_->setObjectName(QStringLiteral("category"));
  category_->addItem(QString::fromUtf8(kShared.all));
  for (const CategoryEntry& entry : texts.categories)
    category_->addItem(QString::fromUtf8(entry.title));
  GroupLayout(category_group)->addWidget(category_);

  auto* search_group = new QGroupBox(QString::fromUtf8(texts.search_group), this);
  search_ = new QLineEdit(search_group);
  search_->setObjectName(QStringLiteral("search"));
  search_->setToolTip(QString::fromUtf8(texts.search_hint));
  go_ = MakeButton("go", kShared.go, kShared.go_hint, search_group);
  go_->setAutoDefault(true);
  go_->setDefault(true);
  auto* search_layout = new QHBoxLayout(search_group);
  search_layout->addWidget(search_, 1);
  search_layout->addWidget(go_);

  auto* list_group = new QGroupBox(QString::fromUtf8(texts.list_group), this);
  list_ = new QListWidget(list_group);
  list_->setObjectName(QString::fromLatin1(texts.list_name));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->installEventFilter(this);  // Enter in the list inserts
  count_ = new QLabel(list_group);
  count_->setObjectName(QStringLiteral("count"));
  auto* count_row = new QHBoxLayout;
  count_row->addWidget(new QLabel(QString::fromUtf8(texts.count_caption), list_group));
  count_row->addWidget(count_);
  count_row->addStretch();
  auto* list_layout = GroupLayout(list_group);
  list_layout->addWidget(list_, 1);
  list_layout->addLayout(count_row);

  auto* info_group = new QGroupBox(QString::fromUtf8(texts.info_group), this);
  info_label_ = new QLabel(info_group);
  info_label_->setObjectName(QString::fromLatin1(texts.info_label_name));
  info_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = info_label_->font();
  bold.setBold(true);
  info_label_->setFont(bold);
  info_ = new QPlainTextEdit(info_group);
  info_->setObjectName(QStringLiteral("info"));
  info_->setReadOnly(true);
  auto* info_layout = GroupLayout(info_group);
  info_layout->addWidget(info_label_);
  info_layout->addWidget(info_, 1);

  auto* insert = MakeButton("insert", kShared.insert, texts.insert_hint, this);
  auto* close = MakeButton("close", kShared.close, kShared.close_hint, this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(insert);
  buttons->addWidget(close);

  auto* left = new QVBoxLayout;
  left->addWidget(category_group);
  left->addWidget(search_group);
  left->addWidget(list_group, 1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addWidget(info_group, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
  resize(560, 420);

  connect(category_, &QComboBox::currentIndexChanged, this, &CatalogueBrowser::categoryChange);
  connect(search_, &QLineEdit::textChanged, this, &CatalogueBrowser::searchChange);
  connect(go_, &QPushButton::clicked, this, &CatalogueBrowser::goClick);
  connect(list_, &QListWidget::itemClicked, this, &CatalogueBrowser::listClick);
  connect(list_, &QListWidget::currentItemChanged, this, &CatalogueBrowser::listClick);
  connect(list_, &QListWidget::itemDoubleClicked, this, &CatalogueBrowser::insertClick);
  connect(insert, &QPushButton::clicked, this, &CatalogueBrowser::insertClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  searchChange(QString());
}

void CatalogueBrowser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The catalogue is loaded after the window is created; fill the list at
  // the first showing that finds it empty.
  if (list_->count() == 0) RefillList();
}

bool CatalogueBrowser::eventFilter(QObject* watched, QEvent* event) {
  // Taken before the window's default button ("Go") would answer it, which
  // stays the meaning of Enter in the search box.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      insertClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CatalogueBrowser::RefillList() {
  info_label_->clear();
  info_->clear();
  const int position = category_->currentIndex();
  category_letter_ =
      position > 0 ? texts_.categories[static_cast<size_t>(position - 1)].letter : std::string();
  const QSignalBlocker blocker(list_);
  list_->clear();
  for (size_t i = 0; i < catalogue_.size(); ++i) {
    if (position > 0 && catalogue_.categories()[i] != category_letter_) continue;
    list_->addItem(QString::fromStdString(catalogue_.names()[i]));
  }
  count_->setText(QString::number(list_->count()));
}

void CatalogueBrowser::categoryChange() { RefillList(); }

void CatalogueBrowser::searchChange(const QString& text) {
  // The search compares exactly; the edit keeps what is typed in lower case.
  const QString lower = text.toLower();
  if (lower != text) {
    const int caret = search_->cursorPosition();
    const QSignalBlocker blocker(search_);
    search_->setText(lower);
    search_->setCursorPosition(caret);
  }
  go_->setEnabled(!lower.isEmpty());
}

void CatalogueBrowser::ShowInformation(const QString& name) {
  const auto index = catalogue_.Find(name.toStdString());
  if (!index) return;
  info_label_->setText(QString::fromStdString(
      InfoLabelText(texts_.kind, catalogue_.names()[*index], catalogue_.thirds()[*index])));
  info_->setPlainText(QString::fromStdString(catalogue_.descriptions()[*index]));
}

void CatalogueBrowser::listClick() {
  if (const QListWidgetItem* item = list_->currentItem()) ShowInformation(item->text());
}

void CatalogueBrowser::goClick() {
  const QString wanted = search_->text();
  if (wanted.isEmpty()) return;
  const auto index = catalogue_.Find(wanted.toStdString());
  if (index) {
    const std::string& letter = catalogue_.categories()[*index];
    for (size_t position = 0; position < texts_.categories.size(); ++position) {
      if (letter == texts_.categories[position].letter) {
        const QSignalBlocker blocker(category_);
        category_->setCurrentIndex(static_cast<int>(position) + 1);
        break;
      }
    }
    RefillList();
    const auto found = list_->findItems(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
      const QSignalBlocker blocker(list_);
      list_->setCurrentItem(found.front());
    }
    ShowInformation(wanted);
    list_->setFocus();
  } else {
    messages_.Inform(QString::fromUtf8(texts_.not_found) + wanted + QLatin1Char('\''));
    search_->setFocus();
  }
  search_->clear();
}

void CatalogueBrowser::insertClick() {
  const QListWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) {
    messages_.Inform(QString::fromUtf8(texts_.select_first));
    return;
  }
  const auto index = catalogue_.Find(item->text().toStdString());
  if (!index) return;
  emit insertRequested(QString::fromStdString(
      InsertionText(texts_.kind, catalogue_.names()[*index], catalogue_.thirds()[*index])));
}

}  // namespace korvex
