#pragma once
// What the uninstaller says and how it ends. Texts are Spanish, emitted as
// Windows-1252; every message box is captioned "OrvNet".
constexpr char UninstallCaption[] = "OrvNet";

constexpr char RemoveQuestionText[] =
    "Se quitará OrvNet 2.5 de esta máquina: el programa, OrvServer, su inicio junto con Windows y el acceso "
    "directo del escritorio. ¿Desea continuar?";
constexpr char KeepTablesQuestionText[] =
    "¿Desea conservar sus tablas de datos (Data\\*.tbl y OrvServer\\Data\\*.tbl)? Si responde No, también se "
    "eliminarán.";

// Status lines of the window shown during the removal.
constexpr char StoppingServerText[] = "Deteniendo OrvServer...";
constexpr char RemovingEntriesText[] = "Quitando el registro, el acceso directo y el desinstalador...";

constexpr char RemovedText[] = "OrvNet 2.5 se desinstaló correctamente";
// Followed by the product folder.
constexpr char TablesKeptText[] = "Sus tablas de datos quedaron en ";
// Followed by one line per item left.
constexpr char LeftoversText[] =
    "OrvNet 2.5 se desinstaló, pero lo siguiente no se pudo eliminar (otro programa lo está usando, o es un "
    "enlace a otro lugar). Puede borrarlo a mano cuando quede libre:";
// Followed by how many more items were left.
constexpr char MoreLeftoversText[] = "... y otros ";

// Followed by the reason.
constexpr char RefusedText[] = "No se desinstaló nada: ";

// Exit codes.
constexpr int ExitRemoved = 0;
constexpr int ExitRefused = 1;
constexpr int ExitCancelled = 2;
constexpr int ExitLeftovers = 3;
