#pragma once

// The framework's window classes: screens and dialogs, registered by
// SmAplicacion. "SmPicture" is the class of the Eje control's window.
inline constexpr char kScreenClass[] = "SmPantalla";
inline constexpr char kDialogClass[] = "SmDialogo";
inline constexpr char kPictureClass[] = "SmPicture";
