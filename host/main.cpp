#include "vxKurvo.h"

#include <QApplication>

#include <cmath>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    vxKurvo plot;
    plot.setWindowTitle(QStringLiteral("Kurvo"));
    plot.resize(1024, 700);
    plot.begin(QStringLiteral("Kurvo"), QStringLiteral("X"), QStringLiteral("Y"), QString());

    const unsigned int n = 500;
    std::vector<double> x(n), y(n);
    for (unsigned int i = 0; i < n; ++i) {
        x[i] = i * 0.02;
        y[i] = std::exp(-0.3 * x[i]) * std::sin(2.0 * M_PI * x[i]);
    }
    plot.createPlot(-1, QStringLiteral("f(y)"), n, x.data(), y.data(), false, 0);
    plot.setTitle(QStringLiteral("Damped oscillation"));
    plot.show();
    return app.exec();
}
