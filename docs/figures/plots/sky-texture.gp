# The sky texture as the dome reads it: the rings' columns with their angles
# from the zenith, the points' rows with their directions around, and the
# part beyond the horizon that is never shown.
load 'style.gpi'
eval canvas(900, 820)
set output 'sky-texture.png'
mapping = 'numbers/sky-mapping.dat'
values = 'numbers/render-values.txt'
quoted(key) = real(system(sprintf("awk -v k=%s '$1 == k { print $3 }' %s", key, values)))
width = quoted('sky_texture_width')
height = quoted('sky_texture_height')
horizon = quoted('sky_texture_horizon_column')
set title "The sky texture (cloudy1.jpg) and how the sky dome is pasted with it"
set xlabel "column: texture coordinate s, from the zenith (s = 0) to the horizon (s = 7/8)"
set ylabel "row: texture coordinate t, once around the horizon"
set x2label "angle from the zenith of the dome's rings (degrees)"
set y2label "direction around (degrees from +x toward +y)"
set size ratio -1
set xrange [0:width]
set yrange [0:height]
set xtics nomirror
set ytics nomirror
set x2tics nomirror
set y2tics nomirror
set link x2
set link y2
set object 1 rect from horizon, 0 to graph 1, graph 1 front fc rgb 'white' fs transparent solid 0.75 noborder
set label 1 "never\nshown" at (horizon + width) / 2, height / 2 center front
plot 'pixels/sky-texture.png' binary filetype=png with rgbimage notitle, \
     mapping index 0 using 3:(0):(0):(height):x2ticlabels(sprintf('%.0f', $4)) \
         with vectors nohead ls 5 lc rgb 'white' notitle, \
     mapping index 1 every 5 using (0):3:y2ticlabels(sprintf('%.0f', $4)) with points ps 0 notitle
