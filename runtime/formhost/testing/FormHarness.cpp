#include "runtime/formhost/testing/FormHarness.h"

#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <unistd.h>

namespace runtime::testing {

QStringList linesOf(QListWidget const& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

void clickWidget(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

bool saveScreenshot(QWidget& widget, QString const& path) {
    QPixmap const picture = widget.grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

long residentKiB() {
    // The second field of statm is the resident set in pages.
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void expectEndurance(EnduranceRun const& run, int expectedLines) {
    std::cout << run.clicks << " clicks: live objects " << run.liveBefore << " -> " << run.liveAfter
              << ", resident " << run.residentBefore << " KiB -> " << run.residentAfter << " KiB\n";
    EXPECT_EQ(run.liveAfter, run.liveBefore);
    EXPECT_EQ(run.fewestLines, expectedLines);
    EXPECT_EQ(run.mostLines, expectedLines);
#if !defined(__SANITIZE_ADDRESS__)
    constexpr long kAllowedGrowthKiB = 1024;
    EXPECT_LE(run.residentAfter - run.residentBefore, kAllowedGrowthKiB);
#endif
}

} // namespace runtime::testing
