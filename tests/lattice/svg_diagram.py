#!/usr/bin/env python3
# Test support: reads a drawing in SVG with Python's XML parser (a file that is no well-formed
# XML fails here) and writes what the tests check, one line each:
#   node NAME Y MARKED        the y of the element's label (it grows downward) and whether
#                             it is filled as marked (1) or not (0)
#   edge LOWER UPPER Y1 Y2 MARKED   a cover line from its first to its last point
#   caption TEXT              the caption of a diagram of a sheet
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
MARK = "#b03000"

root = ET.parse(sys.argv[1]).getroot()
for group in root.iter(SVG + "g"):
    kind = group.get("class")
    title = group.find(SVG + "title").text if group.find(SVG + "title") is not None else ""
    if kind == "node":
        outline = group.find(SVG + "path")
        marked = outline is not None and outline.get("stroke") == MARK
        print("node", title, group.find(SVG + "text").get("y"), int(marked))
    elif kind == "edge":
        lower, upper = title.split("->")
        line = group.find(SVG + "path")
        points = re.findall(r"-?\d+(?:\.\d+)?", line.get("d"))
        print("edge", lower, upper, points[1], points[-1], int(line.get("stroke") == MARK))
    elif kind == "cluster":
        print("caption", group.find(SVG + "text").text)
