#!/usr/bin/env python3
"""Makes the benchmark tree: FILES empty files spread evenly over FOLDERS
folders (ROOT/d0000/f0000000.txt ...). Usage: make_tree.py ROOT FILES FOLDERS"""
import os
import sys


def main():
    root, files, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    os.makedirs(root, exist_ok=True)
    per_folder = -(-files // folders)
    made = 0
    for d in range(folders):
        folder = os.path.join(root, "d%04d" % d)
        os.makedirs(folder, exist_ok=True)
        for _ in range(min(per_folder, files - made)):
            open(os.path.join(folder, "f%07d.txt" % made), "wb").close()
            made += 1


if __name__ == "__main__":
    main()
