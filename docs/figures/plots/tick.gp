# One tick of the viewer, stage by stage, each a small view of the fixed
# sea's own data at that stage: evolve, three inverse transforms, checker
# sign, displace, normals and grid, normal map, tiles, shade.
load 'style.gpi'
load 'numbers/values.txt'
set output 'tick.png'
eval canvas(1600, 1000) . " font 'DejaVu Sans,11'"
set multiplot layout 2,4 title "One tick of the fixed sea, stage by stage (left to right, then the second row)" font ',14'
set size ratio -1
unset key
unset colorbox
set format x ''
set format y ''
set tics scale 0
s = lattice_spacing
L = patch_length
r = half_range(height_min, height_max)
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]

@pal_level
set title "1. evolve: the coefficients\nturned to wave time t\n(|coefficient|^2, log scale,\nk = 0 in the middle;\nno empty diagonal: section 9)"
set xrange [-0.5:63.5]
set yrange [-0.5:63.5]
set cbrange [-8:*]
plot 'numbers/tick-evolved.dat' matrix using 2:1:3 with image

@pal_signed
set cbrange [-r:r]
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]
set title "2. three inverse FFTs:\nheights (and two\ndisplacements) as they\ncome out"
plot 'numbers/raw-transform.dat' matrix using ($2*s):($1*s):3 with image
set title "3. checker sign (-1)^{p+q}:\nthe heights"
plot 'numbers/heights.dat' matrix using ($2*s):($1*s):3 with image

set title sprintf("4. displace: the lattice\nmoved sideways (corner\nof %g x %g units)", tick_displaced_corner, tick_displaced_corner)
set xrange [-2:tick_displaced_corner - 2]
set yrange [-2:tick_displaced_corner - 2]
plot 'numbers/tick-displaced.dat' using 1:2 with lines lc rgb '#1f5f9f' lw 1

set title "5. normals on the 65 x 65\nrender grid: x component,\nseam row and column copied"
set xrange [-s/2:L + s/2]
set yrange [-s/2:L + s/2]
set cbrange [-0.3:0.3]
plot 'numbers/tick-normals.dat' matrix using ($2*s):($1*s):3 with image

@pal_grey
set title "6. normal map: the normals\nas bytes (red byte,\n64 x 64 texture)"
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]
set cbrange [normal_map_red_min:normal_map_red_max]
plot 'numbers/normal-map.dat' using ($2*s):($1*s):3 with image

set title sprintf("7. tiles: %d of the 64\ncandidates drawn\n(seen from above)", start_view_tiles_drawn)
set xrange [-530:530]
set yrange [-530:530]
set style fill solid 0.55 border lc rgb '#1f5f9f'
plot 'numbers/wedge-tiles.dat' index 0 using 1:2:3:3 with boxxyerror fs empty lc rgb '#aaaaaa', \
     '' index 0 using ($4 > 0 ? $1 : NaN):2:3:3 with boxxyerror lc rgb '#1f5f9f', \
     'numbers/wedge-points.dat' index 0 every ::2::2 using 1:2 with points pt 9 ps 1.8 lc rgb '#d95f02'

set title "8. shade: the frame\n(the start view)"
unset xrange
unset yrange
set autoscale xfix
set autoscale yfix
plot 'frame-shaded.png' binary filetype=png with rgbimage
unset multiplot
