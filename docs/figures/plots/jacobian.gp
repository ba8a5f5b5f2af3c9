# The Jacobian of the choppy displacement over the fixed sea: below 1 the
# surface is squeezed (the crests), above 1 stretched (the troughs).
load 'style.gpi'
load 'numbers/values.txt'
set output 'jacobian.png'
eval canvas(1500, 800)
set multiplot layout 1,2 title sprintf("The Jacobian J of the displacement over the fixed sea (choppiness %.2f):\nthe area a small cell keeps once its points move;\nmean %.2f, smallest %.2f; it would fold where J < 0, nowhere in this frame", choppiness, jacobian_mean, jacobian_min)
set size ratio -1
s = lattice_spacing
L = patch_length
set xrange [-s/2:L - s/2]
set yrange [-s/2:L - s/2]
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set key off
set palette defined (0 '#67001f', 0.25 '#d6604d', 0.5 '#f7f7f7', 0.75 '#4393c3', 1 '#053061')
set cbrange [0:2]
set cblabel 'J'
set title sprintf("J: red where the surface is squeezed\n(J < %.1f at %d of the %d points)", crowded_jacobian, jacobian_crowded_points, grid_size**2)
plot 'numbers/jacobian.dat' matrix using ($2*s):($1*s):3 with image
@pal_signed
r = half_range(height_min, height_max)
set cbrange [-r:r]
set cblabel "height\n(before the x 0.1 height scale)"
set title sprintf("the heights: squeezed places tend to lie\non crests (correlation of J and height %.2f)", height_jacobian_correlation)
plot 'numbers/heights.dat' matrix using ($2*s):($1*s):3 with image
unset multiplot
