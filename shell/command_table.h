#pragma once

// The frame's commands as data: number, menu text, prompt, tool tip, icon,
// shortcut and whether it needs an open map. The frame makes one action per
// row; the menus and the tool bar place them. The map tools' commands are
// the tools' own (see CMapToolManager).

#include <span>

// The command numbers; menu items and tool-bar buttons carry them as object
// names ("action32771"). The tools' numbers are in view/tools.h.
enum CommandId : int {
    ID_FILE_OPEN_MAP = 32771,
    ID_FILE_SAVE_MAP = 32800,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PREFERENCES = 32813,
    ID_COPY_MAP = 32804,
    ID_FILE_PRINT = 57607,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_GUIDE = 32806,
    ID_VIEW_PROPERTIES = 32786,
    ID_HELP_FINDER = 32807,
    ID_FILE_EXPORT_VIEW = 32812,
    ID_FILE_IMPORT_GIS = 32814,
    ID_FILE_EXPORT_GIS = 32815,
    ID_FILE_PRINT_GUIDE = 32816,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_FILE_OPEN_ANY = 32830,
    ID_FILE_RECENT_FIRST = 32831, // eight in a row, the newest first
    ID_VIEW_ALL = 32840,
    ID_VIEW_SCALE_BAR = 32841,
    ID_VIEW_PLACE_LABELS = 32842,
};

// One command. Texts are UTF-8; an empty tip leaves Qt's own.
struct CommandRow {
    int id = 0;
    const char* text = "";
    const char* prompt = "";
    const char* tip = "";
    // A picture of :/shell/icons, or nullptr.
    const char* icon = nullptr;
    // A QKeyCombination as an integer; 0 for none.
    int shortcut = 0;
    bool checkable = false;
    // Greyed while no map is open.
    bool needsMap = false;
};

// Every command but the recent maps' slots, in the order the frame makes them.
std::span<const CommandRow> CommandTable();
