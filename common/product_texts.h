#pragma once
// What the installer says, in one place for the consent screen, the install
// run, the tests and the benchmark that read it back from the screen.
// Windows-1252 once compiled (the Windows side's execution character set).

// The status line and the server question, shown by the install run.
constexpr char StatusInstalling[] = "Instalando archivos del programa...";
constexpr char StatusUpdating[] = "Actualizando archivos del programa...";
constexpr char IncompatibleUpdateText[] = "La actualización no es compatible con su programa";
constexpr char ServerQuestionText[] =
    "OrvServer es un programa que provee los datos de materiales a las máquinas de su red local. "
    "Autoriza configurar el registro para que OrvServer se inicie junto con Windows ? ";
constexpr char MessageCaption[] = "OrvNet";

// The outcome and the unpacking status, shown by the consent screen.
constexpr char InstalledText[] = "El programa se instaló correctamente";
constexpr char UpdatedText[] = "El programa se actualizó correctamente";
constexpr char FailedText[] = "Error de instalación";
constexpr char UnpackingText[] = "Descomprimiendo archivos...";
