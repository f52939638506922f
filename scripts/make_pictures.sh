#!/usr/bin/env bash
# make_pictures.sh - draws the character pictures of the example quiz.
#
# Reads the 15 character names from the quiz file (fields 3..17, one per
# line) and writes <Name>.jpg (322x386, shown stretched to 161x193) for each
# into the output folder.  Every picture is drawn from simple shapes with
# ImageMagick 6 `convert`; the name is written at the bottom in DejaVu Sans.
# Names without a drawing of their own below get a plain generic figure.
#
# Usage: scripts/make_pictures.sh [QUIZ_FILE [OUTPUT_DIR]]
#   defaults: quiz/way.txt and quiz/Pictures of this repository
set -euo pipefail

if [[ "${1:-}" == "-h" || "${1:-}" == "--help" ]]; then
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUIZ="${1:-$ROOT/quiz/way.txt}"
OUT="${2:-$ROOT/quiz/Pictures}"
FONT_DIR=/usr/share/fonts/truetype/dejavu
FONT_BOLD="$FONT_DIR/DejaVuSans-Bold.ttf"
FONT="$FONT_DIR/DejaVuSans.ttf"
W=322
H=386
QUALITY=85

command -v convert >/dev/null || { echo "error: ImageMagick 'convert' not found" >&2; exit 1; }
[[ -f "$FONT_BOLD" ]] || { echo "error: font $FONT_BOLD not found" >&2; exit 1; }
[[ -f "$QUIZ" ]] || { echo "error: quiz file $QUIZ not found" >&2; exit 1; }
mkdir -p "$OUT"

# ---------------------------------------------------------------------------
# Shared pieces (MVG drawing commands).  Head centre 161,165, radius 48.
# ---------------------------------------------------------------------------
body()  { echo "fill '$1' stroke none ellipse 161,345 84,128 180,360"; }
head()  { echo "fill '$1' stroke none circle 161,165 161,117"; }
eyes()  { # $1 = y
    echo "fill '#262626' stroke none circle 144,$1 144,$(( $1 + 6 )) circle 178,$1 178,$(( $1 + 6 ))"
    echo "fill '#ffffff' circle 146,$(( $1 - 2 )) 146,$1 circle 180,$(( $1 - 2 )) 180,$1"
}
smile() { # $1 = y of the mouth corners
    echo "fill none stroke '#5a2e1e' stroke-width 3 stroke-linecap round path 'M 146,$1 Q 161,$(( $1 + 13 )) 176,$1'"
    echo "stroke none"
}
cheeks() { echo "fill 'rgba(235,110,110,0.35)' stroke none circle 131,$1 131,$(( $1 + 8 )) circle 191,$1 191,$(( $1 + 8 ))"; }
# A whole plain figure: body and head colours, then eyes, smile and cheeks heights.
figure() { body "$1"; head "$2"; eyes "$3"; smile "$4"; cheeks "$5"; }

# Each character function sets BG1/BG2 (top and bottom background colour),
# MVG (drawing commands) and optionally TEXTS (extra -annotate arguments).

draw_Bram() {  # the baker
    BG1='#fff3dc'; BG2='#e58f45'
    MVG="
    $(body '#8a5a3c')
    fill '#ffffff' stroke '#d9d2c5' stroke-width 2 roundrectangle 121,236 201,400 14,14
    stroke none
    $(head '#f2c39a')
    $(eyes 158)
    fill '#6b3e1f' ellipse 151,184 13,6 0,360 ellipse 171,184 13,6 0,360
    $(smile 193)
    $(cheeks 176)
    fill '#ffffff' stroke '#d9d2c5' stroke-width 2
    circle 133,96 133,70 circle 189,96 189,70 circle 161,82 161,50
    rectangle 119,100 203,130
    stroke none
    fill '#c9843e' stroke '#8a5424' stroke-width 3 ellipse 161,296 62,26 0,360
    stroke '#8a5424' stroke-width 3 line 133,286 143,306 line 155,284 165,306 line 177,286 187,306
    stroke none"
}

draw_Isolde() {  # the knight-captain
    BG1='#e3ecf7'; BG2='#3f6297'
    MVG="
    $(body '#9aa6b2')
    fill none stroke '#6b7580' stroke-width 3 path 'M 100,262 Q 161,292 222,262'
    stroke none
    $(head '#f5d0b5')
    $(eyes 172)
    $(smile 194)
    $(cheeks 186)
    fill '#c0262d' path 'M 161,112 Q 190,52 248,80 Q 206,78 174,116 Z'
    fill '#b8c2cc' stroke '#55606b' stroke-width 3 ellipse 161,156 56,50 180,360
    rectangle 103,146 219,160
    line 161,106 161,146
    stroke none
    fill '#993333' stroke '#f2c230' stroke-width 4 path 'M 188,236 L 266,236 L 266,290 Q 266,332 227,352 Q 188,332 188,290 Z'
    stroke none fill '#f2c230' rectangle 221,246 233,336 rectangle 198,272 256,284"
}

draw_Fenwick() {  # the thief
    BG1='#8d5fa8'; BG2='#2c1f42'
    MVG="
    $(body '#2f6b45')
    fill '#e0782e' polygon 108,142 118,62 156,112 polygon 214,142 204,62 166,112
    fill '#f7d2b0' polygon 118,130 124,82 146,112 polygon 204,130 198,82 176,112
    fill '#2f6b45' circle 161,168 161,104
    $(head '#f1c6a2')
    fill '#1d1d1d' roundrectangle 113,146 209,174 12,12
    fill '#ffffff' ellipse 144,160 10,7 0,360 ellipse 178,160 10,7 0,360
    fill '#262626' circle 146,160 146,165 circle 180,160 180,165
    fill none stroke '#5a2e1e' stroke-width 3 stroke-linecap round path 'M 140,188 Q 161,204 186,184'
    stroke none
    fill '#f2c230' stroke '#b8860b' stroke-width 4 circle 248,252 248,226
    fill none stroke '#b8860b' stroke-width 2 circle 248,252 248,236
    stroke none fill '#fff6c8' polygon 272,214 276,224 286,226 276,230 272,240 268,230 258,226 268,224"
}

draw_Morra() {  # the swamp witch
    BG1='#d6e8b8'; BG2='#3f5a2b'
    MVG="
    fill '#4b4b5e' path 'M 110,146 Q 100,206 94,266 L 114,250 L 126,270 L 142,252 L 161,272 L 180,252 L 196,270 L 208,250 L 228,266 Q 222,206 212,146 Z'
    $(body '#3d2b4f')
    $(head '#b9d99a')
    $(eyes 166)
    fill '#8fb874' circle 161,180 161,172
    fill none stroke '#3d2b4f' stroke-width 3 stroke-linecap round path 'M 148,198 Q 161,204 176,194'
    stroke none
    fill '#222222' path 'M 118,124 L 204,124 L 186,58 Q 196,30 230,34 Q 192,14 172,48 Z'
    ellipse 161,126 84,14 0,360
    fill '#7a4fa0' polygon 121,112 201,112 199,122 123,122
    fill '#2a2a2a' ellipse 161,312 70,44 0,360
    fill '#3a3a3a' stroke '#111111' stroke-width 3 ellipse 161,276 72,13 0,360
    stroke none fill '#7ddc4a' ellipse 161,276 64,9 0,360
    circle 140,256 140,246 circle 172,246 172,238 circle 190,262 190,256 circle 158,226 158,221"
}

draw_Tobin() {  # the shepherd
    BG1='#bfe3ff'; BG2='#5fae4e'
    MVG="
    fill '#6fb85a' ellipse 161,430 270,140 0,360
    $(figure '#4f7fbf' '#f3c9a0' 162 190 178)
    fill '#b5763a' circle 136,182 136,184 circle 142,186 142,188 circle 180,182 180,184 circle 186,186 186,188
    fill '#e8c66a' stroke '#b8953a' stroke-width 2 ellipse 161,124 74,15 0,360
    roundrectangle 127,84 195,126 16,16
    stroke none fill '#c0392b' rectangle 128,110 194,120
    fill none stroke '#7a4a1c' stroke-width 8 stroke-linecap round path 'M 60,330 L 60,140 Q 60,106 84,106 Q 106,106 106,130'
    stroke none fill '#ffffff'
    circle 236,288 236,270 circle 258,276 258,256 circle 282,288 282,270 circle 258,300 258,282 circle 242,304 242,290 circle 276,304 276,290
    fill '#333333' ellipse 222,284 12,16 0,360
    fill '#ffffff' circle 218,280 218,282"
}

draw_Vesna() {  # the sky-ship pilot
    BG1='#ffcdb8'; BG2='#4f93d6'
    MVG="
    fill 'rgba(255,255,255,0.85)' ellipse 60,74 34,12 0,360 ellipse 80,66 22,12 0,360
    fill '#d8d8d8' stroke '#8a8a8a' stroke-width 2 ellipse 258,54 42,17 0,360
    line 246,70 248,84 line 270,70 268,84
    fill '#7a4a2a' rectangle 240,84 276,94
    stroke none
    $(body '#7a4a2a')
    fill '#b5762f' polygon 161,222 140,360 182,360
    fill '#a8452a' circle 161,165 161,113
    $(head '#f5cfae')
    fill '#a8452a' path 'M 113,160 Q 118,112 161,112 Q 204,112 209,160 Q 180,132 113,160 Z'
    $(eyes 166)
    $(smile 192)
    $(cheeks 182)
    fill '#4a3020' rectangle 110,128 212,140
    fill '#8fd3ff' stroke '#b87333' stroke-width 6 circle 140,134 140,118 circle 182,134 182,118
    stroke none
    fill '#d9342b' roundrectangle 118,210 204,232 10,10
    path 'M 190,216 Q 250,200 292,232 Q 252,226 196,232 Z'"
}

draw_Old_Quill() {  # the archivist
    BG1='#f6ead0'; BG2='#b38d55'
    MVG="
    $(body '#7b3f2a')
    fill '#ffe9a8' stroke '#c9a14a' stroke-width 2 rectangle 40,296 112,318
    fill '#3f6b8f' stroke none rectangle 34,276 106,296
    fill '#8f3f3f' rectangle 44,256 110,276
    $(head '#efd0b0')
    fill '#eeeeee' ellipse 113,156 10,22 0,360 ellipse 209,156 10,22 0,360
    fill '#f5f5f5' stroke '#d0d0d0' stroke-width 2 path 'M 119,180 Q 161,318 203,180 Q 161,204 119,180 Z'
    stroke none
    $(eyes 160)
    fill none stroke '#333333' stroke-width 3 circle 144,160 144,173 circle 178,160 178,173 line 157,160 165,160
    path 'M 150,135 L 136,131' path 'M 172,135 L 186,131'
    stroke none
    fill '#f9f9f9' stroke '#9a9a9a' stroke-width 2 path 'M 236,330 Q 226,216 286,132 Q 294,232 236,330 Z'
    fill none stroke '#6e6e6e' stroke-width 3 path 'M 236,330 Q 252,236 284,140'
    stroke none"
}

draw_Garrick() {  # the blacksmith
    BG1='#ffc266'; BG2='#6e1c0c'
    MVG="
    $(body '#5b3a29')
    fill '#3a2418' roundrectangle 117,240 205,400 10,10
    fill '#b87040' ellipse 88,282 18,44 0,360 ellipse 234,282 18,44 0,360
    $(head '#d99b70')
    fill '#4a2a18' path 'M 113,172 Q 118,232 161,234 Q 204,232 209,172 Q 190,200 161,200 Q 132,200 113,172 Z'
    $(eyes 158)
    fill none stroke '#2a160b' stroke-width 4 line 134,144 154,148 line 168,148 188,144
    stroke none
    fill '#c0392b' rectangle 112,130 210,142
    fill '#8b5a2b' rectangle 246,112 258,292
    fill '#5c5c5c' stroke '#222222' stroke-width 3 roundrectangle 222,92 282,126 5,5
    stroke none fill '#ffe066'
    circle 210,84 210,88 circle 292,80 292,84 circle 296,140 296,143 circle 200,112 200,115 circle 270,64 270,67"
}

draw_Lyra() {  # the bard
    BG1='#ffd6ef'; BG2='#8a3aa8'
    MVG="
    fill '#e8b64c' roundrectangle 105,132 217,258 42,42
    $(figure '#3c8d5a' '#f7d5b8' 166 192 182)
    fill '#e8b64c' path 'M 113,160 Q 120,110 161,112 Q 205,114 209,158 Q 170,128 113,160 Z'
    fill '#c0262d' path 'M 196,110 Q 236,60 274,70 Q 236,82 204,120 Z'
    fill '#2d6e8e' ellipse 150,116 60,19 0,360
    fill '#c6843f' stroke '#7a4a1c' stroke-width 3 ellipse 116,294 40,46 0,360
    polygon 134,258 186,208 196,218 144,268
    stroke none fill '#4a2a10' circle 116,290 116,278
    fill '#7a4a1c' roundrectangle 182,198 206,218 4,4"
    TEXTS=(-font "$FONT" -fill '#ffffff' -pointsize 40 -annotate +236+104 '♪' -pointsize 34 -annotate +262+178 '♫' -pointsize 30 -annotate +34+92 '♪')
}

draw_Sable() {  # the spy
    BG1='#5c6170'; BG2='#121419'
    MVG="
    fill '#f0e9c8' path 'M 66,34 A 32,32 0 1 0 66,98 A 24,32 0 1 1 66,34 Z'
    fill '#1f1f26' circle 161,168 161,102
    $(body '#1f1f26')
    fill '#c9a488' circle 161,168 161,124
    fill '#2b2b33' path 'M 113,176 L 209,176 L 209,212 Q 161,226 113,212 Z'
    fill '#ffffff' ellipse 144,158 11,5 0,360 ellipse 178,158 11,5 0,360
    fill '#262626' circle 146,158 146,162 circle 180,158 180,162
    fill none stroke '#3a2a20' stroke-width 3 line 132,146 154,150 line 168,150 190,146
    stroke none
    fill '#c8ccd4' stroke '#6e737d' stroke-width 2 path 'M 250,160 L 262,160 L 262,270 L 256,286 L 250,270 Z'
    fill '#8a6a2a' stroke none rectangle 238,270 274,280 rectangle 251,280 261,318
    fill '#b11f2c' circle 161,262 161,252"
}

draw_Pip() {  # the gnome tinker
    BG1='#c9f4ea'; BG2='#23817a'
    MVG="
    fill none stroke '#b5822d' stroke-width 14 stroke-dasharray 10,8 circle 252,276 252,244
    stroke-dasharray none stroke-width 10 circle 252,276 252,254
    stroke none
    $(body '#6a4bb0')
    $(head '#f6d1b1')
    fill '#ffffff' path 'M 117,184 Q 161,262 205,184 Q 161,206 117,184 Z'
    fill '#f0a884' circle 161,182 161,168
    fill '#ffffff' stroke '#b87333' stroke-width 6 circle 140,156 140,140 circle 182,156 182,140
    stroke none
    fill '#262626' circle 140,156 140,162 circle 182,156 182,162
    fill '#d8322e' path 'M 109,136 L 213,136 Q 190,72 150,20 Q 140,80 109,136 Z'
    fill '#ffffff' circle 150,22 150,12
    fill '#8a8f99' stroke '#50555e' stroke-width 2 path 'M 58,320 L 96,228 L 84,222 Q 84,196 108,196 L 104,212 L 114,216 L 124,204 Q 130,228 104,236 L 70,324 Z'
    stroke none"
}

draw_Rowan() {  # the ranger
    BG1='#dbf1c7'; BG2='#264d24'
    MVG="
    fill '#3d6b35' polygon 0,250 30,120 60,250 polygon 262,250 292,100 322,250 polygon 30,200 58,60 86,200
    $(body '#4d6b30')
    fill '#8b5a2b' rectangle 92,204 104,262
    fill none stroke '#dddddd' stroke-width 2 line 94,204 88,168 line 100,204 100,164
    stroke none fill '#c0392b' polygon 84,170 92,170 88,158 polygon 96,166 104,166 100,154
    fill '#3f6b2e' circle 161,166 161,104
    $(head '#e8bd93')
    fill '#2f5222' path 'M 101,166 Q 104,100 161,102 Q 218,100 221,166 Q 200,126 161,126 Q 122,126 101,166 Z'
    $(eyes 166)
    $(smile 192)
    fill '#8fcf4f' path 'M 161,244 Q 196,262 161,300 Q 126,262 161,244 Z'
    fill none stroke '#4d7a22' stroke-width 2 line 161,250 161,296
    stroke '#8b5a2b' stroke-width 6 path 'M 240,134 Q 306,232 240,330'
    stroke '#f0f0f0' stroke-width 2 line 240,134 240,330
    stroke none"
}

draw_Eldra() {  # the queen
    BG1='#f7e3a1'; BG2='#5b2486'
    MVG="
    fill '#7a3b1e' roundrectangle 107,136 215,262 38,38
    $(body '#5b2a86')
    fill '#ffffff' path 'M 96,240 Q 161,290 226,240 L 214,226 Q 161,262 108,226 Z'
    fill '#222222' circle 128,244 128,247 circle 161,262 161,265 circle 194,244 194,247
    $(head '#f4d2bb')
    fill '#7a3b1e' path 'M 113,158 Q 120,116 161,116 Q 202,116 209,158 Q 186,134 161,140 Q 136,134 113,158 Z'
    $(eyes 166)
    $(smile 192)
    $(cheeks 182)
    fill '#f2c230' stroke '#a8740a' stroke-width 3 polygon 119,130 119,84 140,106 161,72 182,106 203,84 203,130
    stroke none fill '#c0262d' circle 161,116 161,108
    fill '#2e5bd1' circle 134,120 134,114 circle 188,120 188,114
    fill '#f2c230' stroke '#a8740a' stroke-width 2 rectangle 258,160 266,330
    circle 262,152 262,136
    stroke none fill '#c0262d' circle 262,152 262,146"
}

draw_Hobb() {  # the bridge troll
    BG1='#d4cd98'; BG2='#4f4a30'
    MVG="
    fill '#8a8a80' stroke '#5e5e56' stroke-width 3 path 'M -10,300 Q 161,230 332,300 L 332,400 L -10,400 Z'
    stroke none
    $(body '#6b4f2f')
    fill '#8fa866' ellipse 90,166 16,22 0,360 ellipse 232,166 16,22 0,360
    ellipse 161,168 72,60 0,360
    fill '#4a3a22' path 'M 140,112 Q 150,86 160,110 Q 170,84 182,112 Z'
    fill none stroke '#2a2a1a' stroke-width 4 stroke-linecap round path 'M 126,156 Q 138,164 150,156' path 'M 172,156 Q 184,164 196,156'
    stroke none
    fill '#7a9456' ellipse 161,178 18,14 0,360
    fill none stroke '#2a2a1a' stroke-width 4 path 'M 136,204 Q 161,196 186,204'
    stroke none
    fill '#fffbe8' polygon 141,204 147,188 152,202 polygon 170,202 175,188 181,204
    fill '#f3ead0' roundrectangle 240,248 258,300 6,6
    fill '#d33a2c' path 'M 218,254 Q 249,208 280,254 Z'
    fill '#ffffff' circle 238,240 238,244 circle 256,232 256,236 circle 264,246 264,249"
    TEXTS=(-font "$FONT_BOLD" -fill '#ffffff' -pointsize 26 -annotate +232+84 'z' -pointsize 34 -annotate +252+62 'Z' -pointsize 42 -annotate +276+38 'Z')
}

draw_Zephine() {  # the stargazer
    BG1='#2c3c91'; BG2='#080b26'
    MVG="
    fill '#ffffff'
    circle 40,40 40,42 circle 90,90 90,91 circle 280,40 280,42 circle 300,120 300,121 circle 30,200 30,202
    circle 250,200 250,201 circle 60,300 60,301 circle 120,26 120,27 circle 215,30 215,31
    fill '#fff3b0' polygon 62,130 66,146 82,150 66,154 62,170 58,154 42,150 58,146
    polygon 270,250 273,262 285,265 273,268 270,280 267,268 255,265 267,262
    fill '#d8dbe8' roundrectangle 107,132 215,268 42,42
    $(body '#2d4ab8')
    fill '#f2c230' polygon 130,262 133,272 143,274 133,277 130,287 127,277 117,274 127,272
    polygon 196,280 199,290 209,292 199,295 196,305 193,295 183,292 193,290
    $(head '#f2d6c4')
    fill '#d8dbe8' path 'M 113,160 Q 118,114 161,114 Q 204,114 209,160 Q 184,130 113,160 Z'
    $(eyes 166)
    $(smile 192)
    fill '#f2c230' path 'M 154,86 A 17,17 0 1 1 154,120 A 22,22 0 0 0 154,86 Z'
    fill none stroke '#f2c230' stroke-width 3 path 'M 114,140 Q 161,118 208,140'
    stroke none
    fill '#a8740a' polygon 131,330 191,330 181,312 141,312
    fill 'rgba(191,230,255,0.92)' circle 161,282 161,248
    fill 'rgba(255,255,255,0.9)' circle 148,268 148,260"
}

draw_generic() {  # fallback for names without a drawing of their own
    local sum hue
    sum=$(printf '%s' "$1" | cksum | cut -d' ' -f1)
    hue=$(( sum % 360 ))
    BG1="hsl($hue,60%,85%)"; BG2="hsl($hue,55%,35%)"
    MVG="
    $(body "hsl($(( (hue + 180) % 360 )),45%,40%)")
    $(head '#f2cfb0')
    $(eyes 164)
    $(smile 190)
    $(cheeks 180)"
}

# ---------------------------------------------------------------------------

render() {  # $1 = name
    local name="$1" fn out
    fn="draw_${name// /_}"
    BG1= BG2= MVG= TEXTS=()
    if declare -F "$fn" >/dev/null; then "$fn"; else draw_generic "$name"; fi
    out="$OUT/$name.jpg"
    convert -size "${W}x${H}" "gradient:${BG1}-${BG2}" \
        -fill 'rgba(255,255,255,0.18)' -draw "circle 161,180 161,60" \
        -draw "$MVG" \
        "${TEXTS[@]+"${TEXTS[@]}"}" \
        -fill 'rgba(0,0,0,0.6)' -stroke none -draw "rectangle 0,330 $W,$H" \
        -fill none -stroke 'rgba(255,255,255,0.55)' -strokewidth 4 \
        -draw "roundrectangle 5,5 $(( W - 6 )),$(( H - 6 )) 16,16" \
        -stroke none -fill '#ffffff' -font "$FONT_BOLD" -pointsize 32 \
        -gravity south -annotate +0+12 "$name" +gravity \
        -strip -sampling-factor 4:2:0 -quality "$QUALITY" "$out"
    printf '%-12s %s (%s bytes)\n' "$name" "$out" "$(wc -c < "$out")"
}

# The names are fields 3..17: lines 3..17 of the file.
mapfile -t NAMES < <(sed -n '3,17p' "$QUIZ" | tr -d '\r' | sed -e 's/^[ \t]*//' -e 's/^"\([^"]*\)".*/\1/')
[[ ${#NAMES[@]} -eq 15 ]] || { echo "error: could not read 15 names from $QUIZ" >&2; exit 1; }
for n in "${NAMES[@]}"; do
    [[ -n "$n" ]] || { echo "error: empty character name in $QUIZ" >&2; exit 1; }
    render "$n"
done
