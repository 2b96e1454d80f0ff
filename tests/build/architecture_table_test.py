#!/usr/bin/python3
# The folders-and-targets table of docs/architecture.md against the build: every folder it
# names exists with a CMakeLists.txt, every target it names is built in that folder (or one of
# its subfolders), and every library or program the tree builds outside tests/ and bench/ is in
# the table. Arguments: the source root and the build folder. Prints each mismatch; status 1
# when there is one.
import os
import re
import sys

source, build = sys.argv[1], sys.argv[2]
# CMake's own per-folder targets, not the project's.
CMAKE_OWN = {"edit_cache", "install", "install/local", "install/strip", "list_install_components",
             "rebuild_cache", "test"}

built = {}  # target -> build sub-folder
with open(os.path.join(build, "CMakeFiles", "TargetDirectories.txt")) as listing:
    for line in listing:
        folder, _, target = ("/" + os.path.relpath(line.strip(), build)).rpartition("/CMakeFiles/")
        folder = folder.lstrip("/")
        target = target[:-len(".dir")] if target.endswith(".dir") else target
        # Qt's helpers beside a target (moc, resources) are part of it.
        if target in CMAKE_OWN or re.search(r"_autogen(_timestamp_deps)?$|_other_files$|_resources_\d+$", target):
            continue
        built[target] = folder

faults = []
named = set()
text = open(os.path.join(source, "docs", "architecture.md"), encoding="utf-8").read()
table = text.split("## Folders and targets", 1)[1].split("\n## ", 1)[0]
for row in table.splitlines():
    cells = [c.strip() for c in row.strip().strip("|").split("|")]
    if len(cells) < 4 or not cells[0].startswith("`"):
        continue
    folder = re.match(r"`([^`]+)`", cells[0]).group(1)
    if not os.path.isfile(os.path.join(source, folder, "CMakeLists.txt")):
        faults.append("the table names folder %s, which has no CMakeLists.txt" % folder)
    for target in re.findall(r"`([^`]+)`", cells[1]):
        if target.endswith((".so", ".py")) or target == "ostrel_add_test":
            continue  # a module's file name, a script, the tests' own function
        named.add(target)
        where = built.get(target)
        if where is None:
            faults.append("the table names target %s (folder %s), which the build does not make" % (target, folder))
        elif where != folder and not where.startswith(folder + "/") and folder != "tests":
            faults.append("target %s is built in %s, not in %s as the table says" % (target, where, folder))

for target, folder in sorted(built.items()):
    top = folder.split("/", 1)[0]
    if top in ("tests", "bench", "") or target in named:
        continue
    faults.append("target %s (built in %s) is not in the table" % (target, folder))

for fault in faults:
    print("fault: " + fault)
print("%d targets of the table checked against %d the build makes" % (len(named), len(built)))
sys.exit(1 if faults else 0)
