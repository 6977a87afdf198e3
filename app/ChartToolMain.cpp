#include "ChartTool.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("wendle-chart");
    std::ios::sync_with_stdio(false);
    return wendle::TChartTool().Run(QCoreApplication::arguments(), std::cin, std::cout, std::cerr);
}
