#include "app/StitchDisplayMenu.h"

#include "app/RadioGroup.h"
#include "app/WendleForm.h"
#include "chart/StitchDisplay.h"
#include "preview/OutputFile.h"
#include "render/ChartPicture.h"
#include "render/QtColour.h"
#include "widgets/FxPSpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <new>
#include <optional>

namespace wendle {

namespace {

    constexpr const char* SaveTitle = "Save Picture";
    // Orange stands out against the display's cream, black and maroon.
    constexpr Colour FloatMarkColour { 255, 128, 0 };

    struct PictureType {
        const char* Filter;
        const char* Suffix;
        bool Machine;
        bool Svg;
    };

    constexpr PictureType PictureTypes[] = { { "PNG picture (*.png)", "png", false, false },
        { "SVG drawing (*.svg)", "svg", false, true },
        { "Knitting-machine picture (*.png)", "png", true, false } };

    DisplayColours ColoursOf(const TWendleForm& form)
    {
        return { { form.DisplayColour(DisplayColours::Background),
            form.DisplayColour(DisplayColours::Text),
            form.DisplayColour(DisplayColours::GridLines) } };
    }

    // The chart's raster picture; a null image with the reason when there is none.
    QImage Picture(
        const TChartLayout& chart, const DisplayColours& colours, PictureCell cell, QString& error)
    {
        QImage image = ChartImage(chart, colours, cell);
        const DisplaySize size = ChartPictureSize(chart, cell);
        if (image.isNull() && (size.Width > LargestPictureSide || size.Height > LargestPictureSide))
            error = QString("the picture would be %1 by %2 pixels, and a side may have at most %3")
                        .arg(size.Width)
                        .arg(size.Height)
                        .arg(LargestPictureSide);
        else if (image.isNull())
            error = "there is no picture to make of this chart";
        return image;
    }

    // What a picture file of \a type holds: drawn as the display draws it, at its zoom and in
    // its colours, or the knitting-machine picture, black on white.
    QByteArray PictureFile(const TWendleForm& form, const PictureType& type, QString& error)
    {
        const PictureCell cell = type.Machine
            ? PictureCell { 1, 1 }
            : PictureCell { form.DisplayCellWidth(), form.DisplayCellHeight() };
        const DisplayColours colours
            = type.Machine ? MachineColours(std::nullopt) : ColoursOf(form);
        if (type.Svg)
            return ChartSvg(form.Chart(), colours, cell);
        const QImage image = Picture(form.Chart(), colours, cell, error);
        const QByteArray bytes = image.isNull() ? QByteArray() : PngBytes(image);
        if (bytes.isEmpty() && error.isEmpty())
            error = "the PNG picture cannot be encoded";
        return bytes;
    }

    void ReportFailure(
        QWidget* parent, const QString& title, const QString& what, const QString& why)
    {
        QMessageBox::warning(parent, title, QString("%1:\n%2.").arg(what, why));
    }

    // A chart too large to show in full has outlines beyond what a widget holds: they are
    // held just outside it, where nothing is drawn.
    int Pixel(std::int64_t position)
    {
        return static_cast<int>(std::clamp<std::int64_t>(position, -1, QWIDGETSIZE_MAX + 1));
    }

} // namespace

TStitchDisplayMenu::TStitchDisplayMenu(TWendleForm& form)
    : QMenu(&form)
    , Form(form)
{
    setObjectName("StitchDisplayMenu");
    SavePictureAction = addAction("&Save Picture...", this, &TStitchDisplayMenu::SavePicture);
    CopyPictureAction = addAction("&Copy Picture", this, &TStitchDisplayMenu::CopyPicture);
    addSeparator();
    MarkLongFloatsAction = addAction("&Mark Long Floats");
    MarkLongFloatsAction->setCheckable(true);
}

void TStitchDisplayMenu::SavePicture()
{
    QFileDialog dialog(&Form, SaveTitle);
    dialog.setObjectName("SavePictureDialog");
    // Qt's own dialog looks the same on every desktop and offers the picture types as named.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The name is complete only with the type's extension; whether to replace a file is
    // asked once it is.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const PictureType& type : PictureTypes)
        filters << type.Filter;
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const PictureType& type
        = PictureTypes[std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))];
    QString fileName = dialog.selectedFiles().constFirst();
    if (QFileInfo(fileName).suffix().compare(type.Suffix, Qt::CaseInsensitive) != 0)
        fileName += QString(".") + type.Suffix;
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (QFileInfo::exists(fileName)
        && QMessageBox::question(&Form, SaveTitle,
               QString("%1 already exists.\nDo you want to replace it?").arg(shownName))
            != QMessageBox::Yes)
        return;
    QString error;
    QByteArray contents;
    try {
        contents = PictureFile(Form, type, error);
    } catch (const std::bad_alloc&) {
        // The SVG of the longest message a knitter can paste takes over a gigabyte to make.
        error = "the picture is too large to fit in memory";
    }
    if (error.isEmpty())
        error = WriteOutputFile(fileName, contents);
    if (!error.isEmpty())
        ReportFailure(&Form, SaveTitle, "The picture could not be saved as " + shownName, error);
}

void TStitchDisplayMenu::CopyPicture()
{
    QString error;
    const QImage image = Picture(Form.Chart(), ColoursOf(Form),
        { Form.DisplayCellWidth(), Form.DisplayCellHeight() }, error);
    if (image.isNull())
        return ReportFailure(&Form, "Copy Picture", "The picture could not be copied", error);
    QApplication::clipboard()->setImage(image);
}

void TStitchDisplayMenu::PaintFloatMarks(
    QPainter& painter, const QRect& exposed, int cellWidth, int cellHeight)
{
    if (!MarkLongFloatsAction->isChecked())
        return;
    // A blank gauge gives no limit, and nothing is marked.
    const std::optional<std::int32_t> limit = DefaultFloatLimit(
        Form.StitchesAcrossEdit->Number(), Form.MeasureUnitGroup->Chosen<LengthUnit>());
    if (!limit)
        return;
    const QColor colour = ToQColor(FloatMarkColour);
    for (const PixelRect& outline : FloatOutlines(
             Form.Chart(), *limit, cellWidth, cellHeight, exposed.top(), exposed.bottom() + 1)) {
        const int left = Pixel(outline.Left), right = Pixel(outline.Left + outline.Width - 1);
        const int top = Pixel(outline.Top), bottom = Pixel(outline.Top + outline.Height - 1);
        // One-pixel strips along the four sides, exactly on the grid lines.
        for (const QRect& side : { QRect(QPoint(left, top), QPoint(right, top)),
                 QRect(QPoint(left, bottom), QPoint(right, bottom)),
                 QRect(QPoint(left, top), QPoint(left, bottom)),
                 QRect(QPoint(right, top), QPoint(right, bottom)) })
            painter.fillRect(side, colour);
    }
}

} // namespace wendle
