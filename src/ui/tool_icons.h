// The small pictures of the tool buttons, drawn here so they look alike on
// every desktop and stay sharp at any scale.
#pragma once

#include <QIcon>

namespace korvex {

enum class ToolPicture {
  kUp,
  kDown,
  kEdit,
  kCheck,
  kDelete,
  kInsertLog,
  kSimpleMode,
  kSolve,
  kStandardMode
};

QIcon ToolIcon(ToolPicture picture);

}  // namespace korvex
