// The start-up baseline a user's eye would choose: a Qt window that paints a list of twenty
// Chinese item names (font database and CJK fallback included) and ends.

#include <QApplication>
#include <QListWidget>

#include "bench/paint_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QListWidget list;
    list.resize(243, 416);
    const char* const names[] = {"短剑", "长剑", "巨剑", "弯刀", "匕首", "战斧", "长弓",
                                 "短弓", "法杖", "长枪", "皮甲", "锁甲", "板甲", "头盔",
                                 "手套", "长靴", "戒指", "项链", "药水", "面包"};
    for (const char* name : names) list.addItem(QString::fromUtf8(name));
    lf::bench::QuitAfterFirstPaint(list.viewport());
    list.show();
    return app.exec();
}
