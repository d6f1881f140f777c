#pragma once

class CodeEditor;
class QAction;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpacerItem;
class QTabWidget;
class QTextBrowser;
class QTextEdit;
class QVBoxLayout;
class QWidget;
class vxKurvo;

// The widget tree of the Kurvo window, in the style of a form: the File menu, the Plot,
// Script, Log and About tabs with their layouts. The Qt parent tree owns every widget.
struct KurvoUi {
    QVBoxLayout* verticalLayout = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* openAction = nullptr;
    QAction* saveProjectAction = nullptr;
    QAction* saveProjectAsAction = nullptr;
    QMenu* recentMenu = nullptr;
    QAction* quitAction = nullptr;
    QTabWidget* mainTab = nullptr;
    QWidget* plotTab = nullptr;
    QVBoxLayout* verticalLayout_2 = nullptr;
    vxKurvo* kurvo = nullptr;
    QWidget* scriptTab = nullptr;
    QVBoxLayout* verticalLayout_5 = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QPushButton* openPB = nullptr;
    QPushButton* savePB = nullptr;
    QSpacerItem* horizontalSpacer = nullptr;
    QPushButton* runPB = nullptr;
    CodeEditor* scriptEditor = nullptr;
    QWidget* logTab = nullptr;
    QVBoxLayout* verticalLayout_3 = nullptr;
    QTextEdit* log = nullptr;
    QWidget* aboutTab = nullptr;
    QVBoxLayout* verticalLayout_4 = nullptr;
    QTextBrowser* license = nullptr;

    void setupUi(QWidget* window);
    void setupFileMenu(QWidget* window);
    void retranslateUi(QWidget* window);
};
