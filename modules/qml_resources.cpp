// SPDX-License-Identifier: GPL-3.0-or-later
// The QML interface and its images live in the resource bundles that modules/CMakeLists.txt attaches to
// this library; nothing else is compiled here.

namespace zephra_qml {
// Gives the library one symbol of its own, so that linkers and archivers treat it as a normal library.
int resourceBundles()
{
    return 3;
}
} // namespace zephra_qml
