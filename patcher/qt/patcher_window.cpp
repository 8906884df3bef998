#include "patcher/qt/patcher_window.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

#include "catalogue/catalogue_format.h"
#include "common/qt/widgets.h"
#include "patcher/patcher_layout.h"

namespace lf::patcher {
namespace {}  // namespace

Form1::Form1(SystemPort& system, std::string folder)
    : presenter_(*this, system, std::move(folder)) {
    setObjectName("Form1");
    setWindowTitle(ToQt(kDesignCaptions.window));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    UseDesignFont(this);
    CreateButtons();
    CreateIconPanel();
    setTabOrder(CMD_Replace, CMD_Export);
    setTabOrder(CMD_Export, CMD_help);
    ShowCaptions(kDesignCaptions);
}

bool Form1::Start() {
    if (!presenter_.Start()) return false;
    CentreOnScreen(this);
    return true;
}

void Form1::CreateButtons() {
    CMD_Replace = Place<QPushButton>(this, "CMD_Replace", layout::kReplaceButton);
    CMD_Export = Place<QPushButton>(this, "CMD_Export", layout::kExportButton);
    CMD_help = Place<QPushButton>(this, "CMD_help", layout::kHelpButton);
    connect(CMD_Replace, &QPushButton::clicked, this, [this] { presenter_.OnReplace(); });
    connect(CMD_Export, &QPushButton::clicked, this, [this] { presenter_.OnExport(); });
    connect(CMD_help, &QPushButton::clicked, this, [this] { presenter_.OnHelp(); });
}

void Form1::CreateIconPanel() {
    Frame1 = Place<QFrame>(this, "Frame1", layout::kIconPanel);
    Frame1->setFrameShape(QFrame::Box);
    iconGroup_ = new QButtonGroup(this);
    for (int k = 0; k < kIconSheetCount; ++k) {
        const QByteArray name = QString("IconSel%1").arg(k).toLatin1();
        IconSel[k] = Place<QRadioButton>(Frame1, name.constData(), layout::IconOption(k));
        IconSel[k]->setText(ToQt(IconOptionCaption(k)));
        iconGroup_->addButton(IconSel[k], k);
    }
    IconSel[0]->setChecked(true);
    connect(iconGroup_, &QButtonGroup::idClicked, this,
            [this](int k) { presenter_.OnIconChosen(k); });
    CMD_ImportIcon = Place<QPushButton>(Frame1, "CMD_ImportIcon", layout::kImportIconButton);
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

// The window manager draws the frame: the client area is what the outer height leaves of it.
void Form1::SetOuterHeight(int pixels) {
    const int frame = frameGeometry().height() - height();
    setFixedSize(layout::kClientWidth, pixels - (frame > 0 ? frame : layout::kUsualFrameHeight));
}

void Form1::End() {
    close();
    QCoreApplication::exit(1);
}

}  // namespace lf::patcher
