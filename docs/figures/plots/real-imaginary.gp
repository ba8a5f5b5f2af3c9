# The real part of the inverse transform (the heights drawn) beside its
# imaginary part, which the viewer never reads.
load 'style.gpi'
load 'numbers/values.txt'
set output 'real-imaginary.png'
eval canvas(1400, 700)
set multiplot layout 1,2 title sprintf("The inverse transform is not real: rms of the imaginary part / rms of the real part = %.3g", imaginary_to_real_rms_ratio)
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set cblabel "world units before\nthe x 0.1 height scale"
set size ratio -1
@pal_signed
r = half_range(height_min < imaginary_min ? height_min : imaginary_min, \
               height_max > imaginary_max ? height_max : imaginary_max)
set cbrange [-r:r]
set xrange [-1:patch_length - 1]
set yrange [-1:patch_length - 1]
set key off
set title sprintf("real part: the heights drawn\n(rms %.2f)", height_rms)
plot 'numbers/heights.dat' matrix using ($2*lattice_spacing):($1*lattice_spacing):3 with image
set title sprintf("imaginary part, same checker sign\n(rms %.2f), never read", imaginary_rms)
plot 'numbers/imaginary.dat' matrix using ($2*lattice_spacing):($1*lattice_spacing):3 with image
unset multiplot
