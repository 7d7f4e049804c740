// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/life_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace vm::shell {

LifePicture::LifePicture(int columns, int rows, QWidget* parent)
    : QWidget(parent), cells_(columns, rows, QImage::Format_RGB32) {
  live_ = palette().color(QPalette::Text).rgb();
  dead_ = palette().color(QPalette::Base).rgb();
  cells_.fill(dead_);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LifePicture::DrawCell(int x, int y, bool alive) {
  if (!cells_.valid(x, y)) return;
  cells_.setPixel(x, y, alive ? live_ : dead_);
  if (isVisible()) update();
}

void LifePicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(rect(), cells_);
}

void LifePicture::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  event->accept();
}

void LifePicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightReleased();
  event->accept();
}

void LifePicture::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) Recolour();
  QWidget::changeEvent(event);
}

void LifePicture::Recolour() {
  const QRgb live = palette().color(QPalette::Text).rgb();
  const QRgb dead = palette().color(QPalette::Base).rgb();
  for (int y = 0; y < cells_.height(); ++y) {
    for (int x = 0; x < cells_.width(); ++x)
      cells_.setPixel(x, y, cells_.pixel(x, y) == live_ ? live : dead);
  }
  live_ = live;
  dead_ = dead;
  update();
}

}  // namespace vm::shell
