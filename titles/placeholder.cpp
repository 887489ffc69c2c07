// Sources of this folder replace this file.
