#include "patcher/qt/patcher_window.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "catalogue/catalogue_format.h"
#include "common/qt/widgets.h"
#include "patcher/patcher_layout.h"

namespace lf::patcher {
namespace {

// What the title bar and borders take of the outer height on a usual desktop.
constexpr int kCaptionTwips = 450;

QRect GeometryOf(const PixelPlace& place) {
    return {place.left, place.top, place.width, place.height};
}

template <typename Button>
Button* PlaceButton(QWidget* parent, const char* name, const PixelPlace& place,
                    const QString& caption) {
    auto* button = Place<Button>(parent, name, GeometryOf(place));
    button->setText(caption);
    return button;
}

}  // namespace

Form1::Form1(SystemPort& system, std::string folder)
    : presenter_(*this, system, std::move(folder)) {
    setObjectName("Form1");
    setWindowTitle("ResProc");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    UseDesignFont(this);
    CreateButtons();
    CreateIconPanel();
    setTabOrder(CMD_Replace, CMD_Export);
    setTabOrder(CMD_Export, CMD_help);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(layout::kClientWidth / 2, 50));
    }
}

// Design-time captions are the English ones; start-up switches to Chinese when needed.
void Form1::CreateButtons() {
    CMD_Replace = PlaceButton<QPushButton>(this, "CMD_Replace", layout::kReplaceButton, "Import");
    CMD_Export = PlaceButton<QPushButton>(this, "CMD_Export", layout::kExportButton, "Export");
    CMD_help = PlaceButton<QPushButton>(this, "CMD_help", layout::kHelpButton, "I");
    connect(CMD_Replace, &QPushButton::clicked, this, [this] { presenter_.OnReplace(); });
    connect(CMD_Export, &QPushButton::clicked, this, [this] { presenter_.OnExport(); });
    connect(CMD_help, &QPushButton::clicked, this, [this] { presenter_.OnHelp(); });
}

void Form1::CreateIconPanel() {
    Frame1 = Place<QFrame>(this, "Frame1", GeometryOf(layout::kIconPanel));
    Frame1->setFrameShape(QFrame::Box);
    iconGroup_ = new QButtonGroup(this);
    for (int k = 0; k < kIconSheetCount; ++k) {
        const QByteArray name = QString("IconSel%1").arg(k).toLatin1();
        IconSel[k] = PlaceButton<QRadioButton>(Frame1, name.constData(), layout::IconOption(k),
                                               QString("Item Icon %1").arg(k + 1));
        iconGroup_->addButton(IconSel[k], k);
    }
    IconSel[0]->setChecked(true);
    connect(iconGroup_, &QButtonGroup::idClicked, this,
            [this](int k) { presenter_.OnIconChosen(k); });
    CMD_ImportIcon =
        PlaceButton<QPushButton>(Frame1, "CMD_ImportIcon", layout::kImportIconButton, "Import");
    connect(CMD_ImportIcon, &QPushButton::clicked, this, [this] { presenter_.OnImportIcon(); });
}

// ---- PatcherView -------------------------------------------------------------------------------

void Form1::ShowCaptions(const PatcherCaptions& captions) {
    setWindowTitle(ToQt(captions.window));
    CMD_Replace->setText(ToQt(captions.replaceButton));
    CMD_Export->setText(ToQt(captions.exportButton));
    CMD_help->setText(ToQt(captions.helpButton));
    CMD_ImportIcon->setText(ToQt(captions.importIconButton));
}

void Form1::SetOuterHeightTwips(int twips) {
    setFixedSize(layout::kClientWidth, (twips - kCaptionTwips) / layout::kTwipsPerPixel);
}

void Form1::End() {
    close();
    QCoreApplication::exit(1);
}

}  // namespace lf::patcher
