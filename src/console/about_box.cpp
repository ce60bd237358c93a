#include "about_box.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <cmath>

namespace zc {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 340;

const QRect kMakerFrame(318, 150, 266, 100);
const QRect kHistoryFrame(318, 262, 266, 48);

const QString kSiteAddress = QStringLiteral("https://zeltacalc.example.org/");

QLabel* MakeLabel(const QString& text, QWidget* parent, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(alignment | Qt::AlignVCenter);
  // Clicks on the text fall through to the window, which drags.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

// The picture behind everything: a night-blue graph sheet with a few curves
// and the product's name.
void PaintArtwork(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, kWidth, kHeight);
  sky.setColorAt(0.0, QColor(10, 24, 58));
  sky.setColorAt(0.6, QColor(22, 64, 110));
  sky.setColorAt(1.0, QColor(30, 110, 130));
  painter.fillRect(QRect(0, 0, kWidth, kHeight), sky);

  // Graph paper.
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1));
  for (int x = 0; x <= kWidth; x += 20) painter.drawLine(x, 0, x, kHeight);
  for (int y = 0; y <= kHeight; y += 20) painter.drawLine(0, y, kWidth, y);
  const QPointF origin(160, 230);
  painter.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
  painter.drawLine(QPointF(10, origin.y()), QPointF(310, origin.y()));
  painter.drawLine(QPointF(origin.x(), 90), QPointF(origin.x(), 330));

  auto plot = [&](const QColor& colour, auto function) {
    QPainterPath path;
    for (int step = 0; step <= 300; ++step) {
      const double x = -7.5 + step * 0.05;
      const QPointF point(origin.x() + x * 20, origin.y() - function(x) * 20);
      if (step == 0) {
        path.moveTo(point);
      } else {
        path.lineTo(point);
      }
    }
    painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
  };
  plot(QColor(90, 220, 255), [](double x) { return 2.0 * std::sin(x); });
  plot(QColor(255, 170, 60), [](double x) { return 0.12 * x * x - 3.0; });
  plot(QColor(160, 255, 140), [](double x) { return 1.5 * std::cos(x * 0.7) * std::exp(-0.08 * x * x) + 1.0; });

  // Soft light behind the title.
  QRadialGradient glow(QPointF(150, 52), 130);
  glow.setColorAt(0.0, QColor(120, 200, 255, 70));
  glow.setColorAt(1.0, QColor(120, 200, 255, 0));
  painter.fillRect(QRect(0, 0, 300, 200), glow);

  QFont title(QStringLiteral("Sans Serif"));
  title.setPixelSize(40);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  painter.setFont(title);
  painter.setPen(QColor(0, 0, 0, 120));
  painter.drawText(QPoint(26, 70), QStringLiteral("ZELTA CALC"));
  painter.setPen(QColor(240, 248, 255));
  painter.drawText(QPoint(23, 67), QStringLiteral("ZELTA CALC"));

  QFont subtitle(QStringLiteral("Sans Serif"));
  subtitle.setPixelSize(15);
  painter.setFont(subtitle);
  painter.setPen(QColor(170, 215, 255));
  painter.drawText(QPoint(28, 94), QStringLiteral("関数電卓システム"));

  // A small display panel with a result on it.
  const QRectF display(368, 26, 208, 58);
  painter.setPen(QPen(QColor(200, 220, 230), 1.5));
  painter.setBrush(QColor(20, 40, 30, 220));
  painter.drawRoundedRect(display, 8, 8);
  QFont digits(QStringLiteral("Monospace"));
  digits.setPixelSize(24);
  digits.setBold(true);
  painter.setFont(digits);
  painter.setPen(QColor(130, 255, 170));
  painter.drawText(display.adjusted(10, 0, -12, 0), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("3.14159265"));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(kWidth, kHeight);

  Version = new QLabel(QStringLiteral("v1.01"), this);
  Version->setAttribute(Qt::WA_TransparentForMouseEvents);
  Version->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  QFont versionFont = Version->font();
  versionFont.setPixelSize(18);
  versionFont.setBold(true);
  Version->setFont(versionFont);
  Version->setStyleSheet(QStringLiteral("color: rgb(240, 248, 255);"));
  Version->setGeometry(kMakerFrame.right() - 120, kMakerFrame.top() - 30, 120, 26);

  const QRect inner = kMakerFrame.adjusted(8, 4, -10, -4);
  const int rowHeight = inner.height() / 4;
  const QStringList plain = {QStringLiteral("ZeltaCalc Project"), QStringLiteral("https://zeltacalc.example.org/project/"),
                             QStringLiteral("ZeltaCalc ホームページ")};
  for (int row = 0; row < plain.size(); ++row) {
    QLabel* label = MakeLabel(plain[row], this, Qt::AlignRight);
    label->setGeometry(inner.left(), inner.top() + row * rowHeight, inner.width(), rowHeight);
  }
  Link = new QLabel(kSiteAddress, this);
  Link->setToolTip(kSiteAddress);
  Link->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Link->setCursor(Qt::PointingHandCursor);
  Link->setGeometry(inner.left(), inner.top() + 3 * rowHeight, inner.width(), rowHeight);
  Link->installEventFilter(this);
  SetLinkHovered(false);

  QLabel* history = MakeLabel(QStringLiteral("v1.00  最初の公開版\n"
                                             "v1.01  グラフと計算ツールを追加"),
                              this, Qt::AlignLeft);
  history->setGeometry(kHistoryFrame.adjusted(10, 2, -8, -2));

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  Button1->setGeometry(16, kHeight - 44, 88, 28);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::SetLinkHovered(bool hovered) {
  linkHovered_ = hovered;
  QPalette palette = Link->palette();
  palette.setColor(QPalette::WindowText, hovered ? palette.color(QPalette::Highlight) : QColor(0, 0, 117));
  Link->setPalette(palette);
  QFont font = Link->font();
  font.setUnderline(hovered);
  Link->setFont(font);
}

void TAboutBox::OpenLink() { QDesktopServices::openUrl(QUrl(Link->toolTip())); }

void TAboutBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintArtwork(painter);
  painter.setPen(QPen(QColor(211, 211, 211), 1));
  painter.setBrush(QColor(176, 176, 176));
  for (const QRect& frame : {kMakerFrame, kHistoryFrame}) painter.drawRoundedRect(frame, 10, 10);
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mousePressEvent(event);
    return;
  }
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - pos();
  event->accept();
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QDialog::mouseMoveEvent(event);
    return;
  }
  move(event->globalPosition().toPoint() - dragOffset_);
  event->accept();
}

void TAboutBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QDialog::mouseReleaseEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Link) {
    switch (event->type()) {
      case QEvent::Enter:
        SetLinkHovered(true);
        break;
      case QEvent::Leave:
        SetLinkHovered(false);
        break;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            Link->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
          OpenLink();
          return true;
        }
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zc
