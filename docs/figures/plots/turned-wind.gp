# The calm stripes with the wind turned to +x: the spectrum's lobes turn
# with the wind, the stripes do not, because the pairing's indexing sets
# their direction.
load 'style.gpi'
load 'numbers/values.txt'
set output 'turned-wind.png'
eval canvas(1400, 720)
set multiplot layout 1,2 title sprintf("The wind turned to +x (%.2f units/s, the same seed): the spectrum turns,\nthe calm stripes stay on x + y = 96 and 224; variance over %d wave times;\non the calm lines it is %.3f of the tile's mean", turned_wind_speed, turned_samples, turned_calm_variance)
set size ratio -1
set key off
@pal_level
set title "initial spectrum |h_0(k)|^2, log scale:\nthe lobes lie along x"
set xlabel 'k_x (rad/unit)'
set ylabel 'k_y (rad/unit)'
dk = 2 * pi / patch_length
set xrange [-32.5*dk:31.5*dk]
set yrange [-32.5*dk:31.5*dk]
set cbrange [-8:*]
set cblabel 'log_{10} |h_0(k)|^2'
set arrow 1 from 0,0 to 0.9,0 lc rgb 'white' lw 3 head filled size 0.06,25 front
set label 1 'wind' at 0.9, 0.08 tc rgb 'white' front
plot 'numbers/turned-spectrum.dat' matrix using (($2 - 32)*dk):(($1 - 32)*dk):3 with image
unset arrow 1
unset label 1
@pal_grey
set title "the heights' variance over its tile mean:\nthe stripes still run along x + y = const"
set xlabel 'x (world units)'
set ylabel 'y (world units)'
s = lattice_spacing
set xrange [-s/2:patch_length - s/2]
set yrange [-s/2:patch_length - s/2]
set cbrange [0:2.2]
set cblabel 'variance / tile mean'
plot 'numbers/turned-variance.dat' matrix using ($2*s):($1*s):3 with image, \
     for [c in "96 224"] [0:patch_length] c - x with lines ls 5 lc rgb '#d95f02' lw 2
unset multiplot
