// Two small colour controls of the options window: the grid that paints every land-cover class
// colour and shade straight from the option globals, and a panel that shows one colour and
// reports a click.
#pragma once

#include <QFrame>
#include <QWidget>

#include <cstdint>

// A colour value 0x00BBGGRR as the toolkit's colour.
QColor ColorValueToQColor(uint32_t color);

class TClassColorGrid : public QWidget {
    Q_OBJECT
  public:
    explicit TClassColorGrid(QWidget* parent = nullptr);

    static constexpr int CellSize = 30;
    // The cell at a point of the widget, false on a grid line or outside.
    static bool CellAt(QPoint p, int& column, int& row);
    // The middle of a cell, in widget coordinates.
    static QPoint CellCentre(int column, int row);
    void SetSelected(int column, int row);
    int SelectedColumn() const { return Column; }
    int SelectedRow() const { return Row; }
    QSize sizeHint() const override;

  signals:
    void CellClicked(int column, int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int Column = 0;
    int Row = 0;
};

class TColorPanel : public QFrame {
    Q_OBJECT
  public:
    explicit TColorPanel(QWidget* parent = nullptr);
    void SetColor(uint32_t color);
    uint32_t Color() const { return Value; }

  signals:
    void Clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    uint32_t Value = 0;
};
