#include "Attribute.h"

#include "Prompt.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The texts share the plot widget's translation context, like every other text it shows.
QString text(const char* source)
{
    return QCoreApplication::translate("PlotServer", source);
}

QLabel* rowLabel(const char* name, const char* source, QWidget* parent)
{
    auto* label = new QLabel(text(source), parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

Attribute::Attribute(Prompt& prompt, QWidget* parent)
    : QDialog(parent)
    , prompt(prompt)
{
    buildTree();
    brushPB->setIcon(swatch(brush));
    connect(applyPB, &QPushButton::clicked, this, &QDialog::accept);
    connect(penPB, &QPushButton::clicked, this, &Attribute::penColorSlot);
    connect(brushPB, &QPushButton::clicked, this, &Attribute::brushColorSlot);
    connect(sizeSB, qOverload<int>(&QSpinBox::valueChanged), this, &Attribute::valueChanged);
}

void Attribute::buildTree()
{
    setObjectName(QStringLiteral("Attribute"));
    setWindowTitle(text("Attribute"));
    resize(116, 115);

    auto* verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(2);
    verticalLayout->setContentsMargins(2, 2, 2, 2);
    auto* gridLayout = new QGridLayout;
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(6);
    verticalLayout->addLayout(gridLayout);

    // Until a pen colour is set, the button shows a neutral mark rather than a colour.
    penPB = new QPushButton(this);
    penPB->setObjectName(QStringLiteral("penPB"));
    penPB->setIcon(QIcon(QStringLiteral(":/vxKurvo/images/selected.png")));
    brushPB = new QPushButton(this);
    brushPB->setObjectName(QStringLiteral("brushPB"));
    sizeSB = new QSpinBox(this);
    sizeSB->setObjectName(QStringLiteral("sizeSB"));
    sizeSB->setMinimum(1);
    sizeSB->setValue(symbolSize);
    applyPB = new QPushButton(text("APPLY"), this);
    applyPB->setObjectName(QStringLiteral("applyPB"));

    gridLayout->addWidget(rowLabel("penLB", "Pen:", this), 0, 0);
    gridLayout->addWidget(penPB, 0, 1);
    gridLayout->addWidget(rowLabel("brushLB", "Brush:", this), 1, 0);
    gridLayout->addWidget(brushPB, 1, 1);
    gridLayout->addWidget(rowLabel("sizeLB", "Size:", this), 2, 0);
    gridLayout->addWidget(sizeSB, 2, 1);
    gridLayout->addWidget(applyPB, 3, 0, 1, 2);
}

void Attribute::setPenColor(const QColor& color)
{
    pen = color;
    penPB->setIcon(swatch(color));
}

void Attribute::setBrushColor(const QColor& color)
{
    brush = color;
    brushPB->setIcon(swatch(color));
}

// The spin box's signal stores the size, so typing and presetting take the same path.
void Attribute::setSize(int size)
{
    sizeSB->setValue(size);
}

void Attribute::valueChanged(int val)
{
    symbolSize = val;
}

void Attribute::penColorSlot()
{
    const QColor color = askColor(pen, "PEN COLOR");
    if (color.isValid())
        setPenColor(color);
}

void Attribute::brushColorSlot()
{
    const QColor color = askColor(brush, "BRUSH COLOR");
    if (color.isValid())
        setBrushColor(color);
}

QColor Attribute::askColor(const QColor& initial, const char* title)
{
    return prompt.color(initial, this, text(title), {});
}

QIcon Attribute::swatch(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}
