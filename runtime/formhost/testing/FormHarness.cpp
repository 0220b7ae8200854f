#include "runtime/formhost/testing/FormHarness.h"

#include <QPixmap>
#include <QTest>

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

} // namespace runtime::testing
