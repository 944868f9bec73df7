#include "histogram/ui/vLProfile.h"

#include "histogram/ui/vULineCursor.h"
#include "histogram/vULineLibrary.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QValueAxis>

#include <tuple>

QPointer<TLineProfileForm> LineProfileForm;
bool LineProfileDrawing = false;

namespace {

constexpr int HelpTopic = 7500;
constexpr int GrabDistance = 4;
constexpr int EndMarkHalf = 4;

struct SeriesLook {
    const char* Name;
    QColor Colour;
    bool Shown;
};
// Red, green, blue, intensity, hue, saturation, value.
const std::array<SeriesLook, 7> SeriesLooks{{
    {"Red", QColor(255, 0, 0), true},
    {"Green", QColor(128, 255, 0), true},
    {"Blue", QColor(0, 0, 255), true},
    {"Intensity", QColor(0, 0, 0), false},
    {"Hue", QColor(255, 128, 0), false},
    {"Saturation", QColor(255, 0, 255), false},
    {"Value", QColor(128, 128, 128), false},
}};
constexpr std::array<int32_t ProfileSample::*, 7> SeriesValues{
    &ProfileSample::R, &ProfileSample::G, &ProfileSample::B, &ProfileSample::I,
    &ProfileSample::H, &ProfileSample::S, &ProfileSample::V};

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

void SetImageCursor(Qt::CursorShape shape) {
    if (VORNForm && VORNForm->Image1) VORNForm->Image1->setCursor(shape);
}

QWidget* ImageControl() {
    return VORNForm ? static_cast<QWidget*>(VORNForm->Image1) : nullptr;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint.section('|', 0, 0));
    b->setStatusTip(hint.section('|', -1));
    return b;
}

} // namespace

TLineProfileForm::TLineProfileForm(QWidget* parent)
    : TToolWindow("Line Profile", "LineProfileForm", fpLineProfile, tfNone, parent) {
    PageControlProfile = new QTabWidget(this);
    PageControlProfile->setObjectName("PageControlProfile");
    TabSheetGraphs = new QWidget;
    TabSheetGraphs->setObjectName("TabSheetGraphs");
    TabSheetData = new QWidget;
    TabSheetData->setObjectName("TabSheetData");
    PageControlProfile->addTab(TabSheetGraphs, "Graphic");
    PageControlProfile->addTab(TabSheetData, "Data");

    ChartPixelProfile = new QChart;
    ChartPixelProfile->setTitle("Pixel Profile");
    ChartPixelProfile->legend()->setAlignment(Qt::AlignTop);
    BottomAxis = new QValueAxis;
    BottomAxis->setTitleText("Linear Distance[Pixels]");
    BottomAxis->setRange(0, 480);
    BottomAxis->setTickType(QValueAxis::TicksDynamic);
    BottomAxis->setTickAnchor(0);
    BottomAxis->setTickInterval(50);
    BottomAxis->setLabelFormat("%d");
    auto* leftAxis = new QValueAxis;
    leftAxis->setRange(0, 360);
    leftAxis->setLabelFormat("%d");
    ChartPixelProfile->addAxis(BottomAxis, Qt::AlignBottom);
    ChartPixelProfile->addAxis(leftAxis, Qt::AlignLeft);
    ChartView = new QChartView(ChartPixelProfile, TabSheetGraphs);
    ChartView->setObjectName("ChartPixelProfile");
    ChartView->setMinimumSize(560, 300);

    auto* boxes = new QHBoxLayout;
    for (size_t i = 0; i < Series.size(); ++i) {
        const SeriesLook& look = SeriesLooks[i];
        Series[i] = new QLineSeries;
        Series[i]->setName(look.Name);
        Series[i]->setColor(look.Colour);
        Series[i]->setObjectName(QString("Series") + look.Name);
        ChartPixelProfile->addSeries(Series[i]);
        Series[i]->attachAxis(BottomAxis);
        Series[i]->attachAxis(leftAxis);
        Series[i]->setVisible(look.Shown);
        PlaneBoxes[i] = new QCheckBox(look.Name, TabSheetGraphs);
        PlaneBoxes[i]->setObjectName(QString("CheckBox") + look.Name);
        PlaneBoxes[i]->setChecked(look.Shown);
        const int tag = static_cast<int>(i) + 1;
        connect(PlaneBoxes[i], &QCheckBox::clicked, this,
                [this, tag] { Guarded([&] { CheckBoxPlaneClick(tag); }); });
        boxes->addWidget(PlaneBoxes[i]);
    }
    ImagePixelRow = new QLabel(TabSheetGraphs);
    ImagePixelRow->setObjectName("ImagePixelRow");
    ImagePixelRow->setScaledContents(true);
    ImagePixelRow->setFixedHeight(12);
    // The strip is stretched over the room it is given: a long line's strip, asking its own
    // width, widened the window past the screen's edge.
    ImagePixelRow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    LabelPixelSlice = new QLabel("Pixel Slice", TabSheetGraphs);
    LabelPixelSlice->setObjectName("LabelPixelSlice");
    ButtonPrintGraph = Button(TabSheetGraphs, "ButtonPrintGraph", "Print Graph",
                              "Print|Print the displayed graph");
    SpeedButtonErase = new QToolButton(TabSheetGraphs);
    SpeedButtonErase->setObjectName("SpeedButtonErase");
    SpeedButtonErase->setText("Erase");
    SpeedButtonErase->setToolTip("Erase Selected Figure");
    auto* graphs = new QVBoxLayout(TabSheetGraphs);
    graphs->addWidget(ChartView, 1);
    graphs->addLayout(boxes);
    auto* strip = new QHBoxLayout;
    strip->addWidget(LabelPixelSlice);
    strip->addWidget(ImagePixelRow, 1);
    strip->addWidget(SpeedButtonErase);
    strip->addWidget(ButtonPrintGraph);
    graphs->addLayout(strip);

    MemoData = new QTextEdit(TabSheetData);
    MemoData->setObjectName("MemoData");
    MemoData->setLineWrapMode(QTextEdit::NoWrap);
    MemoData->setAcceptRichText(false);
    MemoData->setFont(QFont("Monospace"));
    MemoData->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LabelFilename = new QLabel(TabSheetData);
    LabelFilename->setObjectName("LabelFilename");
    SaveButton = Button(TabSheetData, "SaveButton", "Save", "Save|Save displayed data into file");
    PrintButton = Button(TabSheetData, "PrintButton", "Print", "Print|Print the displayed data");
    CopyButton = Button(TabSheetData, "CopyButton", "Copy", "Copy|Place data onto Clipboard");
    auto* data = new QVBoxLayout(TabSheetData);
    data->addWidget(LabelFilename);
    data->addWidget(MemoData, 1);
    auto* dataButtons = new QHBoxLayout;
    dataButtons->addWidget(SaveButton);
    dataButtons->addWidget(PrintButton);
    dataButtons->addWidget(CopyButton);
    dataButtons->addStretch();
    data->addLayout(dataButtons);

    GroupBoxDraw = new QGroupBox("Line Select", this);
    GroupBoxDraw->setObjectName("GroupBoxDraw");
    SpeedButtonLine = new QToolButton(GroupBoxDraw);
    SpeedButtonLine->setObjectName("SpeedButtonLine");
    SpeedButtonLine->setText("Line");
    SpeedButtonLine->setToolTip("Measure Line [mm]");
    SpeedButtonSelect = new QToolButton(GroupBoxDraw);
    SpeedButtonSelect->setObjectName("SpeedButtonSelect");
    SpeedButtonSelect->setText("Select");
    SpeedButtonSelect->setToolTip("Change Endpoint");
    auto* toolGroup = new QButtonGroup(this);
    for (QToolButton* b : {SpeedButtonLine, SpeedButtonSelect}) {
        b->setCheckable(true);
        toolGroup->addButton(b);
    }
    SpeedButtonLine->setChecked(true);
    auto* draw = new QHBoxLayout(GroupBoxDraw);
    draw->addWidget(SpeedButtonLine);
    draw->addWidget(SpeedButtonSelect);
    GroupBoxDraw->hide();

    LabelPoints = new QLabel(this);
    LabelPoints->setObjectName("LabelPoints");
    // Room from the start for the points of a line on a picture of five-digit sides: the text
    // a drag writes widened the window it opened in, which then scrolled.
    LabelPoints->setMinimumWidth(LabelPoints->fontMetrics().horizontalAdvance(
        Latin1(ProfilePointsText({88888, 88888}, {8888, 8888}))));
    CloseBtn = Button(this, "CloseBtn", "Close", "");
    HelpBtn = Button(this, "HelpBtn", "Help", "");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBoxDraw);
    bottom->addWidget(LabelPoints, 1);
    bottom->addWidget(HelpBtn);
    bottom->addWidget(CloseBtn);
    // The window opens at the size of the profile it is to show, before the tool is armed and a
    // line drawn: opened at the size of its buttons, the chart came up in a window too small to
    // show any of it.
    for (QWidget* shownLater :
         {static_cast<QWidget*>(PageControlProfile), static_cast<QWidget*>(GroupBoxDraw)}) {
        QSizePolicy policy = shownLater->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        shownLater->setSizePolicy(policy);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControlProfile, 1);
    layout->addLayout(bottom);

    // The tags of the two tool buttons choose the other tool: "Line" (tag 1) draws, "Select"
    // (tag 2) changes an end point.
    connect(SpeedButtonLine, &QToolButton::clicked, this,
            [this] { Guarded([this] { SpeedButtonToolClick(1); }); });
    connect(SpeedButtonSelect, &QToolButton::clicked, this,
            [this] { Guarded([this] { SpeedButtonToolClick(2); }); });
    connect(SpeedButtonErase, &QToolButton::clicked, this,
            [this] { Guarded([this] { SpeedButtonEraseClick(); }); });
    connect(ButtonPrintGraph, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonPrintGraphClick(); }); });
    connect(SaveButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { SaveButtonClick(); }); });
    connect(PrintButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { PrintButtonClick(); }); });
    connect(CopyButton, &QPushButton::clicked, this,
            [this] { Guarded([this] { CopyButtonClick(); }); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { close(); });
    ConnectHelp(HelpBtn, HelpTopic);

    ShowPages(false);
    LineProfileMode = LineProfileDown = LineProfileDrawing = false;
    if (auto* main = qobject_cast<TVORNForm*>(parent); main && main->Image1) {
        main->Image1->AddMarkPainter(this, [this](QPainter& painter) {
            if (LineProfileMode) PaintOverImage(painter);
        });
    }
}

// The pages go with the control that holds them, whose room stays in the window: pages hidden
// one by one would shrink what it asks by its tab bar.
void TLineProfileForm::ShowPages(bool shown) {
    PageControlProfile->setVisible(shown);
    ImagePixelRow->setVisible(shown);
}

void TLineProfileForm::StartProfile() {
    ProfileTool = 2;
    LineStart = LineEnd = UnsetPoint;
    ProfileFolder = CurrentImageFolder;
    ProfileName = CurrentImageName;
    ProfileStamp = TFileStamp();
    const std::string name = ExtractFileName(CurrentImageName);
    LabelFilename->setText(Latin1(name.substr(0, name.size() > 4 ? name.size() - 4 : 0)));
    DrawProfileLine();
    GroupBoxDraw->show();
    SpeedButtonLine->setChecked(true);
    ArmMouseMode(LineProfileMode, [] { LineProfileMode = LineProfileDown = false; });
}

void TLineProfileForm::DoImageMouseDown(int x, int y) {
    LineBeforeDrag = {LineStart, LineEnd};
    if (ProfileTool == 1) {
        GrabbedPart = 0;
        LastMousePoint = {x, y};
        if (PointCloseToPoint(LineStart, GrabDistance, LastMousePoint))
            GrabbedPart = 1;
        else if (PointCloseToPoint(LineEnd, GrabDistance, LastMousePoint))
            GrabbedPart = 2;
        else if (PointCloseToLine(LastMousePoint, LineStart, LineEnd))
            GrabbedPart = 3;
        if (GrabbedPart != 0) {
            SetImageCursor(Qt::ClosedHandCursor);
            ClipCursorToControl(ImageControl());
        }
    } else if (ProfileTool == 2) {
        LineProfileDrawing = true;
        LineStart = LineEnd = {x, y};
        SetImageCursor(Qt::CrossCursor);
        ClipCursorToControl(ImageControl());
    }
    RepaintImage();
}

void TLineProfileForm::MoveWholeLine(int x, int y) {
    ImagePoint delta;
    SubtractPoints({x, y}, LastMousePoint, delta);
    LastMousePoint = {x, y};
    AddPoints(LineStart, delta, LineStart);
    AddPoints(LineEnd, delta, LineEnd);
}

void TLineProfileForm::DoImageMouseMove(int x, int y) {
    if (ProfileTool == 1 && (GrabbedPart == 1 || GrabbedPart == 2)) {
        (GrabbedPart == 1 ? LineStart : LineEnd) = {x, y};
        UpdatePointsLabel();
        RepaintImage();
    } else if (GrabbedPart == 3) {
        MoveWholeLine(x, y);
        RepaintImage();
    } else if (GrabbedPart == 0 && ProfileTool == 1) {
        const ImagePoint p{x, y};
        const bool near = PointCloseToPoint(LineStart, GrabDistance, p) ||
                          PointCloseToPoint(LineEnd, GrabDistance, p) ||
                          PointCloseToLine(p, LineStart, LineEnd);
        SetImageCursor(near ? Qt::PointingHandCursor : Qt::ArrowCursor);
    } else if (ProfileTool == 2 && LineProfileDrawing) {
        LineEnd = {x, y};
        UpdatePointsLabel();
        RepaintImage();
    }
}

void TLineProfileForm::DoImageMouseUp(int x, int y) {
    const bool drawing = ProfileTool == 2 || (ProfileTool == 1 && GrabbedPart != 0);
    if (ProfileTool == 1) {
        if (GrabbedPart == 1) LineStart = {x, y};
        if (GrabbedPart == 2) LineEnd = {x, y};
        if (GrabbedPart == 3) MoveWholeLine(x, y);
        if (GrabbedPart != 0) {
            GrabbedPart = 0;
            DrawProfileLine();
            SetImageCursor(Qt::ArrowCursor);
            ReleaseCursorClip();
        }
    } else if (ProfileTool == 2) {
        LineEnd = {x, y};
        LineProfileDrawing = false;
        DrawProfileLine();
        SetImageCursor(Qt::ArrowCursor);
        ReleaseCursorClip();
    }
    // The profile the drag drew shows in front of the main window the drag was made on, which
    // would otherwise keep it hidden behind.
    if (drawing && PageControlProfile->isVisibleTo(this) && isVisible()) {
        raise();
        activateWindow();
    }
}

void TLineProfileForm::EndImageDrag() {
    if (!LineProfileDrawing && GrabbedPart == 0) return;
    std::tie(LineStart, LineEnd) = LineBeforeDrag;
    LineProfileDrawing = false;
    GrabbedPart = 0;
    SetImageCursor(Qt::ArrowCursor);
    ReleaseCursorClip();
    UpdatePointsLabel();
    RepaintImage();
}

// The line used to stay armed over the next picture: drawn over it, and a click on it reported
// "Image Undone or crashed" for a copy that was simply another picture's.
void TLineProfileForm::PictureReplaced() {
    if (!LineProfileMode) return;
    LineProfileMode = LineProfileDown = LineProfileDrawing = false;
    GrabbedPart = 0;
    LineStart = LineEnd = UnsetPoint;
    SetImageCursor(Qt::ArrowCursor);
    ReleaseCursorClip();
    GroupBoxDraw->hide();
    LabelPoints->clear();
    LabelFilename->clear();
    ChartPixelProfile->setTitle("Pixel Profile");
    for (QLineSeries* s : Series)
        s->clear();
    ImagePixelRow->clear();
    MemoData->clear();
    ShowPages(false);
    // The copy the tool held is not the shown picture's; the commands it held back come back
    // with a picture that has buffers to work on.
    UnlockImageBuffers();
    EnableImageCommands(ImageBuffersAllocated);
    EnableObjectMenus(ImageBuffersAllocated);
    RepaintImage();
}

void TLineProfileForm::PaintOverImage(QPainter& painter) const {
    if (!PointIsSet(LineStart) || !PointIsSet(LineEnd)) return;
    const QPoint a(LineStart.X, LineStart.Y), b(LineEnd.X, LineEnd.Y);
    painter.save();
    if (LineProfileDrawing || GrabbedPart != 0) {
        // The rubber band while a drag is under way: inverting navy.
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(QColor(0, 0, 128), 1));
        painter.drawLine(a, b);
    } else {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(Qt::red, 1));
        painter.drawLine(a, b);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::red);
        for (const QPoint& p : {a, b})
            painter.drawRect(p.x() - EndMarkHalf, p.y() - EndMarkHalf, 2 * EndMarkHalf,
                             2 * EndMarkHalf);
    }
    painter.restore();
}

void TLineProfileForm::RepaintImage() const {
    if (VORNForm && VORNForm->Image1) VORNForm->Image1->update();
}

void TLineProfileForm::DrawProfileLine() {
    RepaintImage();
    UpdatePointsLabel();
    BuildProfile();
}

void TLineProfileForm::UpdatePointsLabel() {
    LabelPoints->setText(Latin1(ProfilePointsText(LineStart, LineEnd)));
    if (!PointIsSet(LineStart) || !PointIsSet(LineEnd)) return;
    ChartPixelProfile->setTitle(
        Latin1("Pixel Profile:   " + LabelFilename->text().toLatin1().toStdString() + "   from (" +
               IntToStr(LineStart.X) + ", " + IntToStr(LineStart.Y) + ") to (" +
               IntToStr(LineEnd.X) + ", " + IntToStr(LineEnd.Y) + ")"));
}

void TLineProfileForm::BuildProfile() {
    if (!ImageBuffersLocked) {
        ShowMessageNumber(39975);
        return;
    }
    HookBusyCursor(true);
    const LineProfile profile =
        BuildLineProfile(LineStart, LineEnd, LabelFilename->text().toLatin1().toStdString());
    if (profile.Samples.empty()) {
        ShowPages(false);
        HookBusyCursor(false);
        return;
    }
    const int n = static_cast<int>(profile.Samples.size()) - 1;
    ShowPages(true);
    BottomAxis->setRange(0, n);
    BottomAxis->setTickInterval(ProfileAxisIncrement(n));
    QImage strip(n + 1, 3, QImage::Format_RGB32);
    std::array<QList<QPointF>, 7> points;
    for (auto& p : points)
        p.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const ProfileSample& s = profile.Samples[i];
        for (int row = 0; row < 3; ++row)
            strip.setPixel(i, row, qRgb(s.R, s.G, s.B));
        for (size_t k = 0; k < points.size(); ++k)
            points[k].append(QPointF(i, s.*SeriesValues[k]));
    }
    // One call per series: a long line must not repaint the chart once per sample.
    for (size_t k = 0; k < Series.size(); ++k)
        Series[k]->replace(points[k]);
    ImagePixelRow->setPixmap(QPixmap::fromImage(strip));
    std::string text;
    for (const std::string& line : profile.Lines)
        text += line + "\n";
    text.pop_back();
    MemoData->setPlainText(Latin1(text));
    HookBusyCursor(false);
}

void TLineProfileForm::SpeedButtonToolClick(int tag) {
    ProfileTool = tag == 1 ? 2 : 1;
}

void TLineProfileForm::SpeedButtonEraseClick() {
    LineStart = LineEnd = UnsetPoint;
    DrawProfileLine();
}

void TLineProfileForm::CheckBoxPlaneClick(int tag) {
    if (tag < 1 || tag > static_cast<int>(Series.size())) return;
    Series[tag - 1]->setVisible(PlaneBoxes[tag - 1]->isChecked());
}

void TLineProfileForm::ButtonPrintGraphClick() {
    const auto ready = ReadyPrinter(SayNoPrinterAvailable);
    if (!ready) return;
    QPrinter& printer = ready->Printer();
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) throw EInOutError(EInOutError::AccessDenied);
    ChartView->render(&painter);
    painter.end();
    ready->Commit();
}

void TLineProfileForm::SaveButtonClick() {
    const std::vector<std::string> lines =
        SplitLines(MemoData->toPlainText().toLatin1().toStdString());
    // Named after the picture, not chosen in a dialog: a link under that name is never followed.
    // The picture is the one the profile was drawn on: named after the picture shown now, the
    // table went out under another picture's name. A tool never started has drawn on none.
    const std::string path = ProfileName.empty()
                                 ? ShownPictureFile(".txt")
                                 : ProfileFolder + ChangeFileExt(ProfileName, ".txt");
    // A table this tool did not write, or one changed since, is replaced only when the user says
    // so.
    WriteMadeFileOrRaise(path, JoinLinesCRLF(lines), TReplaceLeave::Own(ProfileStamp));
    ProfileStamp = StampFile(path);
}

void TLineProfileForm::PrintButtonClick() {
    PrintTextOrRaise(*MemoData->document(), Latin1(ProfileName));
}

void TLineProfileForm::CopyButtonClick() {
    MemoData->selectAll();
    MemoData->copy();
}

void TLineProfileForm::FormClose() {
    LineProfileMode = LineProfileDown = LineProfileDrawing = false;
    ReleaseCursorClip();
    UnlockImageBuffers();
    EnableImageCommands(true);
    EnableObjectMenus(true);
    RepaintImage();
    TToolWindow::FormClose();
}
