#include "histogram/ui/vUScreenPrint.h"

#include "histogram/ui/vUHistogramDraw.h"
#include "histogram/vColorPlanePage.h"
#include "histogram/vUHistogramLibrary.h"
#include "shell/imaging/ui/vUPrintBitmapStretched.h"
#include "shell/imaging/vUColorLibrary.h"
#include "shell/ui/vPrinting.h"
#include "shell/vGlobal.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr uint32_t PanelBackground = 0xFFF0F0F0u;
constexpr int PanelHistogramHeight = 3 * 256 / 4;

QFont Arial(int points) {
    return QFont("Arial", points);
}

int TextHeight(const QPainter& canvas) {
    return canvas.fontMetrics().height();
}

// Text with its top left at (x, y).
void TextOut(QPainter& canvas, int x, int y, const QString& text) {
    canvas.drawText(x, y + canvas.fontMetrics().ascent(), text);
}

// The picture stretched into the rectangle inside a black frame one unit wider on every side.
void PrintFramed(QPainter& canvas, const PageRect& r, const Picture& picture) {
    canvas.save();
    canvas.setPen(QPen(Qt::black, 0));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top + 1);
    canvas.restore();
    PrintBitmapStretched(canvas, r.Left, r.Top, r.Right, r.Bottom, picture);
}

} // namespace

TFormPrint::TFormPrint(PrintSource source, QWidget* parent)
    : TToolWindow("Print", "FormPrint", fpFormPrint, 0, parent), Source(std::move(source)) {
    auto make = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    ButtonPrintBigImage = make("ButtonPrintBigImage", "Big Image");
    ButtonPrintSmallImage = make("ButtonPrintSmallImage", "Small Image");
    ButtonHistograms = make("ButtonHistograms", "Histograms");
    ButtonColorSpaceArray = make("ButtonColorSpaceArray", "Color Spaces");
    ButtonCancel = make("ButtonCancel", "Cancel");
    auto* layout = new QHBoxLayout(this);
    const std::pair<QPushButton*, void (TFormPrint::*)()> buttons[] = {
        {ButtonPrintBigImage, &TFormPrint::ButtonPrintBigImageClick},
        {ButtonPrintSmallImage, &TFormPrint::ButtonPrintSmallImageClick},
        {ButtonHistograms, &TFormPrint::ButtonHistogramsClick},
        {ButtonColorSpaceArray, &TFormPrint::ButtonColorSpaceArrayClick},
    };
    for (const auto& [button, handler] : buttons) {
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
    }
    layout->addWidget(ButtonCancel);
    connect(ButtonCancel, &QPushButton::clicked, this, &QWidget::close);
}

TFormPrint::~TFormPrint() = default;

template <typename Draw> void TFormPrint::PrintPage(bool landscape, Draw draw) {
    const auto ready = ReadyPrinter(SayNoPrinterAvailable);
    if (!ready) return;
    QPrinter& printer = ready->Printer();
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    HookBusyCursor(true);
    {
        QPainter canvas;
        if (!canvas.begin(&printer)) {
            HookBusyCursor(false);
            throw EInOutError(EInOutError::AccessDenied);
        }
        draw(canvas);
        canvas.end();
    }
    ready->Commit();
    HookBusyCursor(false);
    close();
}

void TFormPrint::PrintTitle(QPainter& canvas) const {
    QString title = Source.Caption + ", " + Source.Attributes;
    if (!Source.PlaneName.isEmpty()) title += ", " + Source.PlaneName;
    canvas.setFont(Arial(12));
    const int width = canvas.device()->width();
    const int x = (width - canvas.fontMetrics().horizontalAdvance(title)) / 2;
    TextOut(canvas, x, 3 * canvas.fontMetrics().height(), title);
}

void TFormPrint::PrintFooter(QPainter& canvas, int left) const {
    canvas.setFont(Arial(8));
    const QString stamp = QDateTime::currentDateTime().toString("M/d/yy  h:mm");
    const QFontMetrics metrics = canvas.fontMetrics();
    const int top = canvas.device()->height() - metrics.height();
    canvas.fillRect(left, top, metrics.horizontalAdvance(stamp), metrics.height(), Qt::white);
    TextOut(canvas, left, top, stamp);
}

void TFormPrint::ButtonPrintBigImageClick() {
    PrintPage(true, [this](QPainter& canvas) {
        PrintTitle(canvas);
        const Picture& p = Source.ColorPlaneBitmap;
        const PageRect r = BigPictureRect(canvas.device()->width(), canvas.device()->height(),
                                          TextHeight(canvas), p.Width, p.Height);
        PrintFramed(canvas, r, p);
        PrintFooter(canvas, r.Left);
    });
}

void TFormPrint::ButtonPrintSmallImageClick() {
    PrintPage(false, [this](QPainter& canvas) {
        PrintTitle(canvas);
        const Picture& p = Source.ColorPlaneBitmap;
        const PageRect r =
            SmallPictureRect(canvas.device()->width(), TextHeight(canvas), p.Width, p.Height);
        PrintFramed(canvas, r, p);
        PrintFooter(canvas, canvas.device()->width() * 8 / 100);
    });
}

void TFormPrint::PrintSheet(QPainter& canvas, bool pictures) const {
    PrintTitle(canvas);
    const int textHeight = TextHeight(canvas);
    const std::array<PageRect, 9> panels = SheetPanels(canvas.device()->width(), textHeight);
    for (size_t i = 0; i < panels.size(); ++i) {
        const int plane = SheetPlanes[i];
        // The panel: its name, then its picture, then (histograms) its statistics.
        const PageRect& panel = panels[i];
        const PageRect area{panel.Left, panel.Top + textHeight, panel.Right,
                            panel.Bottom - (pictures ? 0 : textHeight)};
        canvas.setFont(Arial(12));
        TextOut(canvas, panel.Left, panel.Top,
                QString::fromLatin1(GetColorPlaneName(plane).c_str()));
        // The composite and the hues print in colour; the other planes are grey in any case.
        const bool colored =
            plane == PlaneRGBComposite || plane == PlaneHueHSV || plane == PlaneHueHLS;
        if (pictures || i == SheetPicturePanel) {
            PrintFramed(canvas, area,
                        GetImageSpace(plane, colored, false, Source.ColorSourceBitmap));
            continue;
        }
        THistogram histogram;
        GetHistogram(Source.ColorSourceBitmap, plane, histogram);
        Picture drawing;
        drawing.Resize(256, PanelHistogramHeight);
        std::fill(drawing.Pixels.begin(), drawing.Pixels.end(), PanelBackground);
        DrawHistogram(plane, histogram, drawing);
        PrintFramed(canvas, area, drawing);
        if (plane == PlaneHueHSV) continue;
        const TDescriptiveStatistics s = GetBitmapStatistics(Source.ColorSourceBitmap, plane);
        canvas.setFont(Arial(8));
        TextOut(canvas, panel.Left, area.Bottom + 2,
                QString::fromLatin1(
                    PanelStatisticsText(s.Min, s.Max, s.Mean(), s.StandardDeviation()).c_str()));
    }
    PrintFooter(canvas, panels[0].Left);
}

void TFormPrint::ButtonHistogramsClick() {
    PrintPage(true, [this](QPainter& canvas) { PrintSheet(canvas, false); });
}

void TFormPrint::ButtonColorSpaceArrayClick() {
    PrintPage(true, [this](QPainter& canvas) { PrintSheet(canvas, true); });
}
