#!/usr/bin/env bash
# Makes the example documents with quorvel-cli (and, for the page with a text
# and a picture, with the small generator built beside it), as a user would
# with "Neue Simulation". Run from the top folder after a build.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD:-build}"
cli=$build/src/quorvel-cli

$cli new -o examples/wachstum.prg --program examples/wachstum.txt --name "Wachstum" --steps 50 \
  --start RATE=0.1 --start BESTAND=10 --start ZEITSCHRITT=1 --plot BESTAND
$cli new -o examples/kaffee.prg --program examples/kaffee.txt --name "Kaffeetasse" --steps 60 \
  --start K=0.08 --start TEMPERATUR=90 --start RAUM=20 --start ZEITSCHRITT=1 --plot TEMPERATUR,RAUM --both
$cli new -o examples/raeuber-beute.prg --program examples/raeuber-beute.txt --name "Räuber und Beute" --steps 300 \
  --start HASEN=30 --start FUECHSE=4 --start ZEITSCHRITT=0.05 --plot HASEN,FUECHSE
$cli new -o examples/raeuber-beute-3d.prg --program examples/raeuber-beute.txt --name "Räuber und Beute 3D" \
  --steps 300 --start HASEN=30 --start FUECHSE=4 --start ZEITSCHRITT=0.05 --plot FUECHSE --3d --x ZEIT --y HASEN
"$build"/examples/make-sir-example examples/sir.txt examples/sir.prg
"$build"/examples/make-graphical-example examples/raeuber-beute-grafisch.prg
"$build"/examples/make-verbal-example Praedkt.txt examples/wachstum-sprachlich.prg
