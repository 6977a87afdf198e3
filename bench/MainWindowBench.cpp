// The main window's hot paths, offscreen: one keystroke in a long message, from the key
// event to the display repainted, and the repaint of a very large chart at any scroll place.
#include "OvrInsMemo.h"
#include "StitchDisplayArea.h"
#include "WendleForm.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

QString Message(int lineCount)
{
    const QString sample = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 $%&@#";
    QStringList lines;
    for (int i = 0; i < lineCount; ++i) {
        const qsizetype shift = i % sample.size();
        lines << sample.mid(shift) + sample.left(shift);
    }
    return lines.join('\n');
}

std::unique_ptr<wendle::TWendleForm> MakeForm(int lineCount)
{
    auto form = std::make_unique<wendle::TWendleForm>(QDate(2026, 12, 6));
    // Wide enough that the field does not wrap the 60-character lines.
    form->resize(1600, 900);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the main window was never shown");
    form->PlainText->setPlainText(Message(lineCount));
    form->IdleUpdate();
    QApplication::processEvents();
    return form;
}

void BM_Keystroke(benchmark::State& state)
{
    auto form = MakeForm(40);
    form->PlainText->setFocus();
    QTextCursor cursor = form->PlainText->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 20);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 30);
    form->PlainText->setTextCursor(cursor);
    bool typeLetter = true;
    for (auto _ : state) {
        // Alternate a letter and Backspace so the message stays the same length.
        if (typeLetter)
            QTest::keyClick(form->PlainText, Qt::Key_W);
        else
            QTest::keyClick(form->PlainText, Qt::Key_Backspace);
        typeLetter = !typeLetter;
        form->IdleUpdate();
        form->StitchDisplayArea->repaint();
    }
    state.counters["chart_cells"] = static_cast<double>(form->ChartWidth()) * form->ChartHeight();
}

void BM_RepaintLargeChart(benchmark::State& state)
{
    // 580 lines of 60 characters: about a million stitches.
    auto form = MakeForm(580);
    QScrollBar* horizontal = form->StitchDisplayScrollBox->horizontalScrollBar();
    QScrollBar* vertical = form->StitchDisplayScrollBox->verticalScrollBar();
    std::mt19937 random(1);
    for (auto _ : state) {
        state.PauseTiming();
        horizontal->setValue(std::uniform_int_distribution(0, horizontal->maximum())(random));
        vertical->setValue(std::uniform_int_distribution(0, vertical->maximum())(random));
        QApplication::processEvents();
        state.ResumeTiming();
        form->StitchDisplayArea->repaint();
    }
    state.counters["chart_cells"] = static_cast<double>(form->ChartWidth()) * form->ChartHeight();
}

} // namespace

BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintLargeChart)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
