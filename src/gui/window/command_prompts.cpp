// SPDX-License-Identifier: MIT
#include "window/command_prompts.h"

#include <QAction>

#include "basics/command_ids.h"

namespace tally {
namespace {

struct PromptEntry {
    int id;
    const char* prompt;
};

constexpr PromptEntry kPrompts[] = {
    {ID_CLOCK_IN, "Clock In"},
    {ID_CLOCK_OUT, "Clocks Out"},
    {ID_CLOCK_OUT_AT, "Clock Out at an earlier time, after the In\nClock Out At"},
    {ID_EDIT_RAW_DATA, "Edit the original raw data\nEdit Raw Data"},
    {ID_OPTIONS, "Set the program options\nProgram Options"},
    {ID_REMINDERS, "Set when to be reminded of time away and of a long day\nReminders"},
    {ID_CLIENTS, "Add, change or remove clients, each with its own time log and rate\nClients"},
    {ID_FILE_CLIENT, "Make a client's time log the time log\nClient"},
    {ID_FILE_MERGE_COPY, "Merge a sync tool's conflict copy of the time log into it\nMerge Copy"},
    {ID_INVOICE, "Generate an invoice"},
    {ID_GENERATE_INVOICE, "Generate an invoice\nGenerate Invoice"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_VIEW_HOURS_CHART, "Show the hours worked per day, week or month as bars\nHours Chart"},
    {ID_VIEW_INVOICES, "List the invoices issued, mark them paid or cancel them\nInvoices"},
};

}  // namespace

QString CommandPrompt(int id) {
    for (const PromptEntry& entry : kPrompts) {
        if (entry.id == id) return QString::fromUtf8(entry.prompt);
    }
    return {};
}

void ApplyPrompt(QAction* action, int id) {
    const QString prompt = CommandPrompt(id);
    const qsizetype lineBreak = prompt.indexOf('\n');
    if (lineBreak < 0) {
        action->setStatusTip(prompt);
        return;
    }
    action->setStatusTip(prompt.left(lineBreak));
    action->setToolTip(prompt.mid(lineBreak + 1));
}

}  // namespace tally
