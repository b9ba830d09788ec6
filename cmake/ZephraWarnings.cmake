# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings are errors on the project's own code (not on Qt's generated code, which moc writes with our flags
# anyway and which compiles cleanly under these options).
function(zephra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
