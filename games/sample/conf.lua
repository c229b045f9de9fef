-- Configuration: the video mode is opened after this script has run.
SetScreen(640, 480, 24, "WINDOW")
