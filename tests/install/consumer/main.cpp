#include "vxKurvo.h"

#include <QApplication>

#include <cstdio>

// Embeds the widget as a host does and draws one curve; exits 0 when the widget holds it.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vxKurvo plot;
    plot.begin(QStringLiteral("Embedded"), QStringLiteral("X"), QStringLiteral("Y"), QString());
    const double x[] = {0, 1, 2};
    const double y[] = {1, 4, 9};
    plot.createPlot(-1, QStringLiteral("squares"), 3, x, y, false, 0);
    std::printf("%d curve(s)\n", plot.curves());
    return plot.curves() == 1 ? 0 : 1;
}
