"""Starting and toggling alone never creates a settings file."""

import os

from harness import profile
from harness.inspector import START, WAITING
from harness.session import VetrixTest, main


class NoIniWithoutChanges(VetrixTest):
    def test_start_and_toggle_leave_folder_without_gesture_ini(self):
        session = self.session
        # A bare file name would put it in the Windows folder instead.
        windows_ini = os.path.join(session.config.prefix, "drive_c", "windows", "gesture.ini")
        # The prefix is shared: whatever an earlier run left there must not hide this one's.
        if os.path.exists(windows_ini):
            os.remove(windows_ini)
        session.start()
        session.wait_activated()
        button = session.show_from_tray().start_button()
        for caption in (START, WAITING):
            session.click_centre(button)
            session.wait_caption(caption)
        session.assert_running()
        created = profile.ini_files(session.folder)
        self.assertEqual(created, [], f"files in the program's folder: {os.listdir(session.folder)}")
        self.assertFalse(os.path.exists(windows_ini), f"{windows_ini} was created")


if __name__ == "__main__":
    main()
