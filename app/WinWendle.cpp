#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel window("Wendle");
    window.setWindowTitle("Wendle");
    window.resize(750, 450);
    window.show();
    return application.exec();
}
