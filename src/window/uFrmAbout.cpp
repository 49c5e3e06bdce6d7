#include "uFrmAbout.h"

#include "ostrel_version.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSysInfo>

#include <cmath>

TfrmAbout::TfrmAbout(QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(tr("About Ostrel"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(453, 193);

    auto* pIcon = new QLabel(this);
    pIcon->setObjectName(QStringLiteral("imgIcon"));
    pIcon->setGeometry(40, 16, 41, 41);
    pIcon->setPixmap(ProductIcon());

    auto* pLabel = new QLabel(
        tr("Ostrel %1 for %2").arg(QStringLiteral(OSTREL_VERSION), PlatformName()), this);
    pLabel->setObjectName(QStringLiteral("lblProduct"));
    pLabel->move(96, 16);
    pLabel->adjustSize();

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(184, 152, 89, 25);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmAbout::cmdOKClick);
}

QString TfrmAbout::PlatformName() {
    // The family reads better than a distribution's full name and release.
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QStringLiteral("linux")) {
        return QStringLiteral("Linux");
    }
    if (kernel == QStringLiteral("winnt")) {
        return QStringLiteral("Windows");
    }
    return QSysInfo::prettyProductName();
}

void TfrmAbout::cmdOKClick() {
    accept();
}

QPixmap TfrmAbout::ProductIcon() {
    QPixmap pixmap(41, 41);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, 40, 0, 0);
    painter.drawLine(0, 0, 40, 0);
    painter.setPen(QColor(192, 192, 192));
    painter.drawLine(4, 20, 36, 20);
    painter.drawLine(20, 4, 20, 36);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 160), 2));
    QPainterPath curve;
    for (int x = 4; x <= 36; ++x) {
        const double y = 20.0 - 13.0 * std::sin((x - 4) * 3.14159265 / 16.0);
        if (x == 4) {
            curve.moveTo(x, y);
        } else {
            curve.lineTo(x, y);
        }
    }
    painter.drawPath(curve);
    return pixmap;
}
