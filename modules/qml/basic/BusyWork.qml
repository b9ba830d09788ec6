// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Work that blocks the program (the uploads of Save, a profile switch, the factory reset), run behind the
// busy indicator once the indicator is on screen: the view renders a change a few milliseconds after it
// and the window system shows it after that, so the work waits one frame's time. started() comes at once
// (the owner shows the indicator), finished() when all work given meanwhile is done.
Item {
    id: busy

    property var queue: []
    property bool working: false
    signal started()
    signal finished()

    function run(work) {
        started()
        working = true
        queue = queue.concat([work])
        frame.restart()
    }

    Timer {
        id: frame
        interval: 50
        onTriggered: {
            while (busy.queue.length > 0) {
                var work = busy.queue[0]
                busy.queue = busy.queue.slice(1)
                work()
            }
            busy.working = false
            busy.finished()
        }
    }
}
