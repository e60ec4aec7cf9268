// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QString>

class QPrinter;
class QWidget;

// The print button's flow: ask for a printer, then print both pages.
namespace wendrix {

class ConfirmationMatrix;
class EntityCatalogue;

enum class PrintOutcome {
    Cancelled,
    Printed,
    Failed
};

// Lets the user pick and set up the printer; true when printing was confirmed.
using PrintDialogQuestion = std::function<bool(QPrinter& printer, QWidget* parent)>;

// The platform's print dialog (on Linux it also offers printing to a PDF file).
[[nodiscard]] bool AskWithPrintDialog(QPrinter& printer, QWidget* parent);

// What the "Drucken" button does: shows the print dialog and, unless it is cancelled, prints the
// two pages with today's UTC date under the hourglass cursor. Failed: the chosen printer could
// not be started.
[[nodiscard]] PrintOutcome PrintWithDialog(QWidget* parent, const QString& callSign,
                                           const EntityCatalogue& catalogue,
                                           const ConfirmationMatrix& matrix);

// The same on a given printer, with the question put by the caller.
[[nodiscard]] PrintOutcome RunPrintFlow(QPrinter& printer, QWidget* parent, const QString& callSign,
                                        const EntityCatalogue& catalogue,
                                        const ConfirmationMatrix& matrix,
                                        const PrintDialogQuestion& ask);

}  // namespace wendrix
