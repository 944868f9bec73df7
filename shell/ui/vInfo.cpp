#include "shell/ui/vInfo.h"

#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vImageInfo.h"
#include "shell/vPngChunks.h"
#include "shell/vToolForms.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

QPointer<TFrInfo> FrInfo;

namespace {

constexpr int StripHeight = 15;
constexpr int HelpTopic = 12000;
const char* const PageNames[] = {"None", "PLTE", "IHDR", "IDAT", "GAMA", "tEXt", "tIME"};

} // namespace

TGammaTester::TGammaTester(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(StripHeight);
}

void TGammaTester::SetGamma(double gamma) {
    Table = GammaTable(gamma);
    GammaValue = gamma;
    RecreateBitmap();
}

void TGammaTester::RecreateBitmap() {
    const int w = width(), h = height();
    Strip = QImage(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    const std::vector<uint8_t> greys = GammaRamp(Table, w);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(Strip.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb(greys[static_cast<size_t>(x)], greys[static_cast<size_t>(x)],
                          greys[static_cast<size_t>(x)]);
    }
    update();
}

void TGammaTester::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), Strip);
}

void TGammaTester::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RecreateBitmap();
}

TFrInfo::TFrInfo(QWidget* parent)
    : TToolWindow("PNG Information", "FrInfo", fpInfo, tfInfo, parent) {
    auto* fields = new QFormLayout;
    for (const ImageInfoField& field : ReadImageInfo()) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setObjectName(QString::fromLatin1(field.Label));
        InfoEdits.push_back(edit);
        fields->addRow(QString::fromLatin1(field.Label), edit);
        if (std::string(field.Label) == "Compression") {
            FileSizeEdit = new QLineEdit(this);
            FileSizeEdit->setReadOnly(true);
            FileSizeEdit->setObjectName("File Size");
            fields->addRow("File Size", FileSizeEdit);
        }
    }

    ChunkList = new QTreeWidget(this);
    ChunkList->setObjectName("ChunkList");
    ChunkList->setHeaderLabels({"ID", "Size (compressed)"});
    ChunkList->setRootIsDecorated(false);
    PropertyPages = new QTabWidget(this);
    PropertyPages->setObjectName("PropertyPages");
    for (const char* name : PageNames) {
        auto* page = new QWidget(PropertyPages);
        page->setObjectName(QString::fromLatin1(name));
        PropertyPages->addTab(page, QString::fromLatin1(name));
    }
    auto* gamaPage = PropertyPages->widget(4);
    auto* group = new QGroupBox("Test images:", gamaPage);
    auto* groupLayout = new QVBoxLayout(group);
    NoGammaTester = new TGammaTester(group);
    NoGammaTester->setObjectName("NoGammaTester");
    CurrentGammaTester = new TGammaTester(group);
    CurrentGammaTester->setObjectName("CurrentGammaTester");
    for (auto [label, tester] : {std::pair{"&No gamma:", NoGammaTester},
                                 std::pair{"&Current gamma:", CurrentGammaTester}}) {
        auto* text = new QLabel(label, group);
        text->setBuddy(tester);
        groupLayout->addWidget(text);
        groupLayout->addWidget(tester);
    }
    groupLayout->addStretch();
    auto* helpOnGamma = new QPushButton("Help", gamaPage);
    auto* gamaLayout = new QVBoxLayout(gamaPage);
    gamaLayout->addWidget(group);
    gamaLayout->addWidget(helpOnGamma, 0, Qt::AlignRight);
    NoGammaTester->SetGamma(1.0);

    DeleteChunk = new QPushButton("Save", this);
    DeleteChunk->setObjectName("DeleteChunk");
    AddTextChunk = new QPushButton("Text", this);
    AddTextChunk->setObjectName("AddTextChunk");
    AddTimeChunk = new QPushButton("Time", this);
    AddTimeChunk->setObjectName("AddTimeChunk");
    auto* help = new QPushButton("Help", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {DeleteChunk, AddTextChunk, AddTimeChunk, help})
        buttons->addWidget(b);

    auto* right = new QVBoxLayout;
    right->addWidget(ChunkList, 1);
    right->addWidget(PropertyPages, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(right, 1);
    resize(760, 480);

    connect(DeleteChunk, &QPushButton::clicked, this,
            [this] { Guarded([this] { DeleteChunkClick(); }); });
    ConnectHelp(help, HelpTopic);
    ConnectHelp(helpOnGamma, HelpTopic);
}

QLineEdit* TFrInfo::Edit(const QString& label) const {
    if (label == "File Size") return FileSizeEdit;
    for (QLineEdit* edit : InfoEdits)
        if (edit->objectName() == label) return edit;
    return nullptr;
}

void TFrInfo::FormOpen() {
    LoadII();
}

void TFrInfo::LoadII() {
    const std::vector<ImageInfoField> fields = ReadImageInfo();
    for (size_t i = 0; i < fields.size() && i < InfoEdits.size(); ++i)
        InfoEdits[i]->setText(QString::fromLatin1(fields[i].Value.c_str()));
    FileSizeEdit->setText(QString::fromStdString(ImageFileSizeText()));
}

void TFrInfo::DeleteChunkClick() {
    SavePictureFile();
}

void TFrInfo::FillChunkList() {
    PropertyPages->setCurrentIndex(0);
    ChunkList->clear();
    for (const PngChunk& chunk : DisplayedPngChunks)
        ChunkList->addTopLevelItem(
            new QTreeWidgetItem({QString::fromLatin1(chunk.Name.c_str()),
                                 QString::fromStdString(PngChunkSizeText(chunk))}));
}
