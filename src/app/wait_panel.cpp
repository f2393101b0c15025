#include "app/wait_panel.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

constexpr int kMinWidth = 249;
constexpr int kMinHeight = 97;
// Room between the text and the panel's edge, and between the panel and the
// edge of the board area.
constexpr int kPadding = 16;

}  // namespace

TWaitPanel::TWaitPanel(QWidget* parent) : QLabel(parent) {
  setObjectName("pPleaseWait");
  setAlignment(Qt::AlignCenter);
  setWordWrap(true);
  QFont waitFont = font();
  waitFont.setPixelSize(16);
  setFont(waitFont);
  setAutoFillBackground(true);
  hide();
}

void TWaitPanel::FitToText() {
  const QWidget* board = parentWidget();
  const int room = board ? std::max(kMinWidth, board->width() - 2 * kPadding) : 4096;
  const QFontMetrics metrics = fontMetrics();
  // The text's own lines first; only a text wider than the board area wraps.
  QRect needed = metrics.boundingRect(QRect(0, 0, room - 2 * kPadding, 0),
                                      Qt::AlignCenter | Qt::TextWordWrap, text());
  const int width = std::clamp(needed.width() + 2 * kPadding, kMinWidth, room);
  needed = metrics.boundingRect(QRect(0, 0, width - 2 * kPadding, 0),
                                Qt::AlignCenter | Qt::TextWordWrap, text());
  resize(width, std::max(kMinHeight, needed.height() + 2 * kPadding));
  if (board) move((board->width() - this->width()) / 2, (board->height() - height()) / 2);
}

void TWaitPanel::showEvent(QShowEvent* event) {
  FitToText();
  QLabel::showEvent(event);
}
