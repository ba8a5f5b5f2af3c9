# The inverse transform of the evolved spectrum before and after the checker
# sign (-1)^(i+j).
load 'style.gpi'
load 'numbers/values.txt'
set output 'checker.png'
eval canvas(1400, 640)
set multiplot layout 1,2 title "The inverse transform of the fixed sea's spectrum\n(real part, world units before the x 0.1 height scale)"
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set cblabel 'height'
set size ratio -1
@pal_signed

r = half_range(height_min, height_max)
set cbrange [-r:r]
set xrange [-1:patch_length - 1]
set yrange [-1:patch_length - 1]
set key off
set title "as the transform leaves it: the centred\nindexing flips every other sign"
plot 'numbers/raw-transform.dat' matrix using ($2*lattice_spacing):($1*lattice_spacing):3 with image
set title 'times (-1)^{p+q}: the heights'
plot 'numbers/heights.dat' matrix using ($2*lattice_spacing):($1*lattice_spacing):3 with image
unset multiplot
