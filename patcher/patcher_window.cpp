#include "patcher/patcher_window.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "common/ui/desktop.h"
#include "patcher/patcher_core.h"

namespace lf::patcher {
namespace {

const QString kMessageTitle = "Lorefinder_ResProc";
constexpr int kClientWidth = 111;
constexpr int kTwipsPerPixel = 15;
// What the title bar and borders take of the outer height on a usual desktop.
constexpr int kCaptionTwips = 450;

template <typename Widget>
Widget* Place(QWidget* parent, const char* name, QRect geometry, const QString& caption) {
    auto* widget = new Widget(caption, parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QString Native(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

std::unique_ptr<Form1> Form1::Start(Desktop& desktop, const std::string& folder) {
    std::unique_ptr<Form1> form(new Form1(desktop, folder));
    form->isChineseUI_ = desktop.SystemLocaleIsChinese();
    if (form->isChineseUI_) form->ApplyChineseCaptions();
    if (!FileIsPresent(MyPathPrefix(folder) + kBrowserFileName)) {
        desktop.ShowMessage(nullptr, kMessageTitle,
                            form->Text("本文件夹找不到Lorefinder.exe....",
                                       "Lorefinder.exe not found...please put me together..."));
        return nullptr;
    }
    form->iconIndex_ = 0;
    const std::string cd = MyPathCD(folder);
    form->dialogFolder_ = QString::fromStdString(cd.empty() ? "/" : cd);
    form->helpClicks_ = 0;
    form->SetOuterHeight(kCollapsedOuterTwips);
    return form;
}

Form1::Form1(Desktop& desktop, std::string folder) : desktop_(desktop), folder_(std::move(folder)) {
    setObjectName("Form1");
    setWindowTitle("ResProc");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    CreateButtons();
    CreateIconPanel();
    setTabOrder(CMD_Replace, CMD_Export);
    setTabOrder(CMD_Export, CMD_help);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(kClientWidth / 2, 50));
    }
}

// Design-time captions are the English ones; start-up switches to Chinese when needed.
void Form1::CreateButtons() {
    CMD_Replace = Place<QPushButton>(this, "CMD_Replace", {6, 6, 99, 29}, "Import");
    CMD_Export = Place<QPushButton>(this, "CMD_Export", {6, 40, 71, 29}, "Export");
    CMD_help = Place<QPushButton>(this, "CMD_help", {86, 50, 19, 19}, "I");
    connect(CMD_Replace, &QPushButton::clicked, this, &Form1::ReplaceItemTable);
    connect(CMD_Export, &QPushButton::clicked, this, &Form1::ExportItemTable);
    connect(CMD_help, &QPushButton::clicked, this, &Form1::ShowHelp);
}

void Form1::CreateIconPanel() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(2, 72, 107, 265);
    Frame1->setFrameShape(QFrame::Box);
    iconGroup_ = new QButtonGroup(this);
    for (int k = 0; k < 16; ++k) {
        const QString name = QString("IconSel%1").arg(k);
        IconSel[k] =
            Place<QRadioButton>(Frame1, name.toLatin1().constData(), {6, 12 + 14 * k, 93, 12},
                                QString("Item Icon %1").arg(k + 1));
        iconGroup_->addButton(IconSel[k], k);
    }
    IconSel[0]->setChecked(true);
    connect(iconGroup_, &QButtonGroup::idClicked, this, [this](int k) { iconIndex_ = k; });
    CMD_ImportIcon = Place<QPushButton>(Frame1, "CMD_ImportIcon", {6, 238, 95, 21}, "Import");
    connect(CMD_ImportIcon, &QPushButton::clicked, this, &Form1::ImportIconSheet);
}

void Form1::ApplyChineseCaptions() {
    setWindowTitle("Tablepatch");
    CMD_Replace->setText("导入");
    CMD_ImportIcon->setText("导入");
    CMD_Export->setText("导出");
    CMD_help->setText("注");
}

void Form1::SetOuterHeight(int twips) {
    outerHeightTwips_ = twips;
    setFixedSize(kClientWidth, (twips - kCaptionTwips) / kTwipsPerPixel);
}

QString Form1::Text(const char* chinese, const char* english) const {
    return QString::fromUtf8(isChineseUI_ ? chinese : english);
}

void Form1::Tell(const QString& text) { desktop_.ShowMessage(this, kMessageTitle, text); }

// ---- help and the reveal gesture ------------------------------------------------------------

void Form1::ShowHelp() {
    const QStringList lines =
        isChineseUI_
            ? QStringList{"本工具是用来替换 Lorefinder.exe 里面的道具数据文件的,",
                          "数据文件格式如不清楚，", "请把本工具和 Lorefinder.exe 放一起,",
                          "按下[导出]把原数据导出以作参考。"}
            : QStringList{"This tool is used to replace the item data file inside Lorefinder.exe, ",
                          " if you dont know data file's format, ",
                          " please put me and Lorefinder.exe together, ",
                          "and press[Export]the export of raw data for reference."};
    Tell(lines.join("\r\n"));
    ++helpClicks_;
    // Once revealed, the panel stays until the patcher ends.
    if (helpClicks_ == kRevealCount && outerHeightTwips_ == kCollapsedOuterTwips) {
        SetOuterHeight(kRevealedOuterTwips);
    }
}

// ---- export -------------------------------------------------------------------------------

void Form1::ExportItemTable() {
    const std::string exePath = MyPathPrefix(folder_) + kBrowserFileName;
    auto bytes = ReadResource(exePath, "CUSTOM", "#101");
    if (!bytes && bytes.error().kind == Error::Kind::TooLarge) {  // the memory ran short
        Tell(Text("内存不足，未导出：\n", "Not enough memory; nothing was exported:\n") +
             QString::fromStdString(bytes.error().message));
        return;
    }
    if (!bytes) {
        Tell(QString("Resource #101 Found not found in %1 !").arg(QString::fromStdString(exePath)));
        ended_ = true;
        close();
        QCoreApplication::exit(1);
        return;
    }
    const std::filesystem::path target = MyPathPrefix(folder_) + kExportFileName;
    if (FileIsPresent(target) &&
        !desktop_.AskYesNo(this, kMessageTitle,
                           "File (item.txt) is extist...do you want overwrite it")) {
        return;
    }
    if (auto saved = SaveBytes(target, *bytes); !saved) {
        Tell(Text("无法写入 item.txt，原文件未改动：\n",
                  "item.txt was not written; any old item.txt is unchanged:\n") +
             QString::fromStdString(saved.error().message));
        return;
    }
    Tell("ok");
}

// ---- replacement --------------------------------------------------------------------------

void Form1::ReplaceItemTable() { ImportResource("TXT (*.txt)", kItemTableId); }

void Form1::ImportIconSheet() {
    dialogFolder_ = QString::fromStdString(folder_);
    ImportResource("JPG (*.jpg)", static_cast<std::uint16_t>(kFirstIconSheetId + iconIndex_));
}

// The completion message comes only after Lorefinder.exe was really rewritten.
void Form1::ImportResource(const QString& filter, std::uint16_t id) {
    const QString chosen = desktop_.ChooseFileToOpen(this, dialogFolder_, filter);
    if (chosen.isEmpty()) return;
    const std::filesystem::path exePath = MyPathPrefix(folder_) + kBrowserFileName;
    auto written = WriteResource(exePath, chosen.toStdString(), "CUSTOM", id);
    if (written) {
        Tell("Import " + chosen + " to " + kBrowserFileName + " Finish...");
        return;
    }
    const QString detail = QString::fromStdString(written.error().detail);
    switch (written.error().failure) {
        case WriteFailure::ExecutableMissing:
            Tell(Native(exePath) + "not found !!");
            break;
        case WriteFailure::SourceUnreadable:
            Tell(Text("无法读取文件，Lorefinder.exe 未改动：\n",
                      "Cannot read the file; Lorefinder.exe is unchanged:\n") +
                 detail);
            break;
        case WriteFailure::SourceTooLarge:
            Tell(Text("文件太大，Lorefinder.exe 未改动：\n",
                      "The file is too large; Lorefinder.exe is unchanged:\n") +
                 detail);
            break;
        case WriteFailure::SourceEmpty:
            Tell(Text("文件是空的，Lorefinder.exe 未改动：\n",
                      "The file is empty; Lorefinder.exe is unchanged:\n") +
                 detail);
            break;
        case WriteFailure::RewriteFailed:
            Tell(Text("无法写入 Lorefinder.exe，文件未改动：\n",
                      "Lorefinder.exe could not be rewritten and is unchanged:\n") +
                 detail);
            break;
    }
}

}  // namespace lf::patcher
