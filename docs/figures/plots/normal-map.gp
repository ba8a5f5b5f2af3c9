# The normal map as the viewer uploads it: its red and green bytes, the
# normal's x and y components, each in grey, laid out as the height maps.
load 'style.gpi'
load 'numbers/values.txt'
set output 'normal-map.png'
eval canvas(1500, 800)
set multiplot layout 1,2 title sprintf("The normal map as uploaded, bytes 127 + 127 x %.1f x n, of the fixed sea,\nlaid out as the height maps (texel row i at x = 2 i); each channel's few byte values\n(red %d-%d, green %d-%d) spread over black to white: the steps are the bytes", normal_map_scale, normal_map_red_min, normal_map_red_max, normal_map_green_min, normal_map_green_max)
@pal_grey
set size ratio -1
s = lattice_spacing
L = patch_length
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set key off
set title "red byte: the normal leans along +x (white),\nwhere the surface falls toward +x"
set cbrange [normal_map_red_min:normal_map_red_max]
set cblabel 'red byte'
plot 'numbers/normal-map.dat' using ($2*s):($1*s):3 with image
set title 'green byte: the normal leans along +y (white)'
set cbrange [normal_map_green_min:normal_map_green_max]
set cblabel 'green byte'
plot 'numbers/normal-map.dat' using ($2*s):($1*s):4 with image
unset multiplot
