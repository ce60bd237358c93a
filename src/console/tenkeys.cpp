#include "tenkeys.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <algorithm>

namespace zc {

namespace {

// The arrow keys. Unicode geometric shapes render with every font here.
const QString kUp = QStringLiteral("▲");
const QString kLeft = QStringLiteral("◀");
const QString kRight = QStringLiteral("▶");
const QString kDown = QStringLiteral("▼");

const QString kCharacterKeys = QStringLiteral("0123456789.+-*/^()");

constexpr int kKeyWidth = 40;
constexpr int kKeyHeight = 32;

}  // namespace

TTenkeys::TTenkeys(QComboBox* inputLine, Links links, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), inputLine_(inputLine), links_(std::move(links)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("テンキー"));

  Edit1 = new QLineEdit(this);
  Edit1->installEventFilter(this);
  connect(Edit1, &QLineEdit::textChanged, this, &TTenkeys::Edit1Change);
  connect(Edit1, &QLineEdit::returnPressed, this, &TTenkeys::Edit1Enter);

  TrackBar1 = new QSlider(Qt::Vertical, this);
  TrackBar1->setRange(50, 256);
  TrackBar1->setTickInterval(25);
  TrackBar1->setTickPosition(QSlider::TicksRight);
  TrackBar1->setValue(256);
  TrackBar1->setInvertedAppearance(true);  // opaque at the top
  TrackBar1->setToolTip(QStringLiteral("透明度"));
  connect(TrackBar1, &QSlider::valueChanged, this, &TTenkeys::TrackBar1Change);

  auto* keys = new QGridLayout;
  keys->setSpacing(2);
  auto pair = [this](const QString& first, const QString& second) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (const auto& caption : {first, second}) {
      QPushButton* key = MakeKey(caption);
      key->setFixedWidth(kKeyWidth / 2 + 8);
      row->addWidget(key);
    }
    return row;
  };

  // Row 1: ( ) ^ * / -
  keys->addLayout(pair(QStringLiteral("("), QStringLiteral(")")), 0, 0);
  keys->addWidget(MakeKey(QStringLiteral("^")), 0, 1);
  keys->addWidget(MakeKey(QStringLiteral("*")), 0, 2);
  keys->addWidget(MakeKey(QStringLiteral("/")), 0, 3);
  keys->addWidget(MakeKey(QStringLiteral("-")), 0, 4);
  // Row 2: BS 7 8 9 +
  keys->addWidget(MakeKey(QStringLiteral("BS")), 1, 0);
  keys->addWidget(MakeKey(QStringLiteral("7")), 1, 1);
  keys->addWidget(MakeKey(QStringLiteral("8")), 1, 2);
  keys->addWidget(MakeKey(QStringLiteral("9")), 1, 3);
  keys->addWidget(MakeKey(QStringLiteral("+")), 1, 4, 2, 1);
  // Row 3: Enter 4 5 6
  keys->addWidget(MakeKey(QStringLiteral("Enter")), 2, 0, 2, 1);
  keys->addWidget(MakeKey(QStringLiteral("4")), 2, 1);
  keys->addWidget(MakeKey(QStringLiteral("5")), 2, 2);
  keys->addWidget(MakeKey(QStringLiteral("6")), 2, 3);
  // Row 4: 1 2 3 Enter
  keys->addWidget(MakeKey(QStringLiteral("1")), 3, 1);
  keys->addWidget(MakeKey(QStringLiteral("2")), 3, 2);
  keys->addWidget(MakeKey(QStringLiteral("3")), 3, 3);
  keys->addWidget(MakeKey(QStringLiteral("Enter")), 3, 4, 2, 1);
  // Row 5: the arrows under the left Enter, 0 (double width), .
  auto* arrows = new QHBoxLayout;
  arrows->setSpacing(1);
  // One font for all four, so the arrows come out the same size even where
  // the interface font has only some of them.
  QFont arrowFont(QStringLiteral("DejaVu Sans"));
  arrowFont.setPixelSize(12);
  for (const auto& caption : {kUp, kLeft, kRight, kDown}) {
    QPushButton* key = MakeKey(caption);
    key->setFont(arrowFont);
    key->setFixedWidth(kKeyWidth / 2 + 2);
    arrows->addWidget(key);
  }
  keys->addLayout(arrows, 4, 0);
  keys->addWidget(MakeKey(QStringLiteral("0")), 4, 1, 1, 2);
  keys->addWidget(MakeKey(QStringLiteral(".")), 4, 3);

  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(Edit1);
  left->addLayout(keys);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(left);
  layout->addWidget(TrackBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TTenkeys::~TTenkeys() = default;

QPushButton* TTenkeys::MakeKey(const QString& caption) {
  auto* key = new QPushButton(caption, this);
  // Keys never take the focus, so the edit line keeps its caret visible.
  key->setFocusPolicy(Qt::NoFocus);
  key->setAutoDefault(false);
  key->setMinimumSize(kKeyWidth / 2, kKeyHeight);
  key->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  if (caption.size() == 1 && !kCharacterKeys.contains(caption) && caption != kUp && caption != kLeft &&
      caption != kRight && caption != kDown) {
    // Not a key the pad knows.
    key->setEnabled(false);
  }
  connect(key, &QPushButton::clicked, this, [this, caption] { PressKey(caption); });
  keys_.append(key);
  return key;
}

QPushButton* TTenkeys::Key(const QString& caption) const {
  for (auto* key : keys_) {
    if (key->text() == caption) return key;
  }
  return nullptr;
}

void TTenkeys::SetText(const QString& text, int position) {
  padUpdating_ = true;
  // Setting the same text again would only throw away the undo history.
  if (Edit1->text() != text) Edit1->setText(text);
  SetPos(position);
  padUpdating_ = false;
}

void TTenkeys::SetPos(int position) {
  padPos_ = std::clamp(position, 0, static_cast<int>(Edit1->text().size()));
  Edit1->setCursorPosition(padPos_);
}

void TTenkeys::PressKey(const QString& caption) {
  // Where the user put the caret by hand counts, as if the click had taken
  // the focus from the edit line.
  if (Edit1->hasFocus()) padPos_ = Edit1->cursorPosition();
  const int length = static_cast<int>(Edit1->text().size());
  padPos_ = std::clamp(padPos_, 0, length);
  // A key acts at the pad's insertion point, whatever the caret did since.
  Edit1->setCursorPosition(padPos_);

  if (caption.size() == 1 && kCharacterKeys.contains(caption)) {
    padPos_ = std::min(padPos_ + 1, length + 1);
    TypeChar(caption.at(0));
  } else if (caption == QStringLiteral("BS")) {
    padPos_ = std::max(padPos_ - 1, 0);
    TypeChar(QChar(u'\b'));
  } else if (caption == QStringLiteral("Enter")) {
    TypeChar(QChar(u'\r'));
    Edit1->setFocus();
  } else if (caption == kLeft || caption == kRight) {
    padPos_ = std::clamp(padPos_ + (caption == kLeft ? -1 : 1), 0, length);
    TypeChar(QChar(u'\0'));
  } else if (caption == kUp || caption == kDown) {
    StepHistory(caption == kUp ? HistoryWalk::Direction::Older : HistoryWalk::Direction::Newer);
    TypeChar(QChar(u'\0'));
  }
}

void TTenkeys::TypeChar(QChar character) {
  if (character == u'\r') {
    Edit1Enter();
  } else if (character == u'\b') {
    Edit1->backspace();
  } else if (!character.isNull()) {
    Edit1->insert(QString(character));
  }
  Edit1->setFocus();
  Edit1->deselect();
  SetPos(padPos_);
}

void TTenkeys::Edit1Change(const QString& text) {
  if (padUpdating_) return;
  padPos_ = Edit1->cursorPosition();
  QLineEdit* input = inputLine_->lineEdit();
  if (input) {
    input->setText(text);
    input->setCursorPosition(padPos_);
  } else {
    inputLine_->setEditText(text);
  }
  if (links_.echo) links_.echo();
  if (input) input->deselect();
}

void TTenkeys::Edit1Enter() {
  if (links_.pressEnter) links_.pressEnter();
  if (links_.echo) links_.echo();
}

void TTenkeys::StepHistory(HistoryWalk::Direction direction) {
  if (links_.stepHistory) links_.stepHistory(direction);
  // The recalled line came back through SetText; the caret goes to its end.
  padPos_ = static_cast<int>(Edit1->text().size());
}

void TTenkeys::TrackBar1Change(int value) {
  // 256 means no blending at all; below it the value is the alpha out of 255.
  setWindowOpacity(value >= 256 ? 1.0 : value / 255.0);
}

void TTenkeys::showEvent(QShowEvent* event) {
  padUpdating_ = true;
  Edit1->setText(inputLine_->currentText());
  padUpdating_ = false;
  SetPos(links_.insertPos ? links_.insertPos() : static_cast<int>(Edit1->text().size()));
  QWidget::showEvent(event);
  if (!event->spontaneous()) {
    if (QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
}

bool TTenkeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1) {
    if (event->type() == QEvent::FocusOut) {
      padPos_ = Edit1->cursorPosition();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        StepHistory(key == Qt::Key_Up ? HistoryWalk::Direction::Older : HistoryWalk::Direction::Newer);
        TypeChar(QChar(u'\0'));
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zc
