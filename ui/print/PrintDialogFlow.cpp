// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/PrintDialogFlow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

#include "common/Dates.h"
#include "ui/BusyCursor.h"
#include "ui/print/PrintOut.h"

namespace wendrix {

bool AskWithPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintOutcome PrintWithDialog(QWidget* parent, const QString& callSign,
                             const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    return RunPrintFlow(printer, parent, callSign, catalogue, matrix, AskWithPrintDialog);
}

PrintOutcome RunPrintFlow(QPrinter& printer, QWidget* parent, const QString& callSign,
                          const EntityCatalogue& catalogue, const ConfirmationMatrix& matrix,
                          const PrintDialogQuestion& ask)
{
    if (!ask(printer, parent)) {
        return PrintOutcome::Cancelled;
    }
    const ui::BusyCursor busy;
    const PrintOutContent content{callSign, TodayUtc(), catalogue, matrix};
    return PrintBothPages(printer, content) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace wendrix
