// The main window's hot paths, offscreen: one keystroke in a long message, from the key
// event to the display repainted, the repaint of a very large chart at any scroll place, and
// the largest pastes a knitter may try (10,000 lines of 200 characters, one line of 5,000),
// each followed by a keystroke in the pasted text. Every one is an update that must stay
// well under a second; peak_rss_mb is the process's peak so far (run one at a time).
#include "app/OvrInsMemo.h"
#include "app/StitchDisplayArea.h"
#include "app/WendleForm.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include <sys/resource.h>

namespace {

QString Message(int lineCount, int lineLength = 60)
{
    const QString sample = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 $%&@#";
    const QString repeated = sample.repeated(lineLength / sample.size() + 2);
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines << repeated.mid(i % sample.size()).trimmed().left(lineLength); // as normalised
    return lines.join('\n');
}

double PeakRssMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
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

// Pastes the message of range(0) lines of range(1) characters into the empty field with
// Ctrl+V, or (range(2) = 1) types one letter into the pasted text, through to the repaint.
void BM_LargeInput(benchmark::State& state)
{
    auto form = MakeForm(1);
    const QString message
        = Message(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QApplication::clipboard()->setText(message);
    const bool keystroke = state.range(2) == 1;
    form->PlainText->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        form->PlainText->clear();
        if (keystroke) {
            form->PlainText->setPlainText(message);
            form->PlainText->moveCursor(QTextCursor::End);
        }
        form->IdleUpdate();
        QApplication::processEvents();
        state.ResumeTiming();
        if (keystroke)
            QTest::keyClick(form->PlainText, Qt::Key_W);
        else
            QTest::keyClick(form->PlainText, Qt::Key_V, Qt::ControlModifier);
        form->IdleUpdate();
        form->StitchDisplayArea->repaint();
    }
    if (form->PlainText->toPlainText().size() != message.size() + (keystroke ? 1 : 0))
        state.SkipWithError("the pasted text is not all in the field");
    state.counters["chart_cells"] = static_cast<double>(form->ChartWidth()) * form->ChartHeight();
    state.counters["peak_rss_mb"] = PeakRssMegabytes();
}

} // namespace

BENCHMARK(BM_LargeInput)
    ->ArgNames({ "lines", "chars", "key" })
    ->Args({ 10000, 200, 0 })
    ->Args({ 10000, 200, 1 })
    ->Args({ 1, 5000, 0 })
    ->Args({ 1, 5000, 1 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
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
