// Rules of the camera state are added here.
