// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// imgRandom: the picture box showing the life grid, one point per cell
// stretched over the box, live cells in the text colour on the window
// background. Announces double clicks and right-button releases.
#include <QImage>
#include <QWidget>

namespace vm::shell {

class LifePicture : public QWidget {
  Q_OBJECT

 public:
  LifePicture(int columns, int rows, QWidget* parent = nullptr);

  // LifeDraw: plots one cell.
  void DrawCell(int x, int y, bool alive);

 signals:
  void doubleClicked();
  void rightReleased();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Recolour();

  QImage cells_;
  QRgb live_;
  QRgb dead_;
};

}  // namespace vm::shell
