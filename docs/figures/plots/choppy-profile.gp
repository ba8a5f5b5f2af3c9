# One line of the lattice along the wind, its points drawn where the viewer
# draws them and where they would be without the horizontal displacement.
load 'style.gpi'
load 'numbers/values.txt'
set output 'choppy-profile.png'
eval canvas(1300, 1100)
stats 'numbers/choppy-profile.dat' using 4 name 'H' nooutput
stats 'numbers/choppy-profile.dat' every ::H_index_max::H_index_max using 2 name 'C' nooutput
set multiplot layout 2,1 title sprintf("Drawn heights along the wind (lattice points (n, n)) of the fixed sea,\nchoppiness %.2f, heights exaggerated; the points gather where the surface is high\n(correlation of height and Jacobian %.2f over the patch); no fold in this frame (smallest Jacobian %.2f)", choppiness, height_jacobian_correlation, jacobian_min)
set xlabel 'distance along the wind (world units)'
set ylabel "drawn height\n(world units, x 0.1 applied)"
set key above horizontal
set grid ytics ls 5 lw 0.5
set xrange [0:grid_size * along_wind_spacing]
set title 'the whole line'
plot 'numbers/choppy-profile.dat' using 2:4 with linespoints ls 5 pt 6 ps 0.8 title 'without displacement (the lattice)', \
     '' using 3:4 with linespoints ls 1 pt 7 ps 0.8 title 'as drawn (displaced)'
set xrange [C_max - 20:C_max + 20]
set title 'around the highest crest'
replot
unset multiplot
