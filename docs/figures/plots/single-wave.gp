# One wave through the viewer's displacement at growing steepness lambda a k:
# the lattice points of one row, where the viewer draws them.
load 'style.gpi'
load 'numbers/values.txt'
set output 'single-wave.png'
eval canvas(1400, 1150)
set multiplot layout 2,2 title sprintf("One wave, %g units long, through the viewer's own displacement\n(choppiness λ = %.2f, the amplitude a chosen for each λak); heights before the x %.1f\nheight scale, to the same scale as the distances; dots: the lattice points of one row", single_wave_wavelength, choppiness, height_scale)
set xrange [0:patch_length]
set yrange [-50:50]
set size ratio -1
set key off
set xtics 32
set ytics 25
set grid xtics ytics ls 5 lw 0.5
set xlabel 'x (world units)'
set ylabel 'height'
set title sprintf("λak = 0: the wave of a = %.1f\nwithout the move, a plain cosine", single_wave_amplitude_2)
plot 'numbers/single-wave.dat' index 2 using 2:4 with linespoints ls 5 pt 7 ps 0.5
do for [n=0:2] {
    s = value(sprintf('single_wave_steepness_%d', n))
    a = value(sprintf('single_wave_amplitude_%d', n))
    j = value(sprintf('single_wave_jacobian_min_%d', n))
    set title sprintf("λak = %.1f (a = %.1f): smallest\nJacobian %.2f%s", s, a, j, \
        j < 0 ? ', the surface loops' : (s == 1 ? ', the crest a cusp' : ', the crest sharpened'))
    plot 'numbers/single-wave.dat' index n using 3:4 with linespoints ls 1 pt 7 ps 0.5
}
unset multiplot
