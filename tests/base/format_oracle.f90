! Writes the language runtime's own texts for the formatted writes the format writer is
! compared with: for every case three lines, the kind and format, the value (the bits of a
! real in hexadecimal, or a decimal integer) and the record the runtime wrote.
program format_oracle
  implicit none
  integer, parameter :: nr = 44, nv = 30, ni = 8, nk = 9
  character(len=32) :: rformats(nr), iformats(ni)
  real(8) :: values(nv)
  integer(8) :: ivalues(nk)
  integer :: i, j

  rformats = [character(len=32) :: &
    '(F8.2)', '(F10.4)', '(F6.0)', '(F12.6)', '(F0.3)', '(F5.1)', &
    '(1PF8.2)', '(-1PF8.2)', '(2PF10.3)', '(-2PF10.3)', '(3PF12.0)', '(1PF0.2)', &
    '(E12.4)', '(E10.3)', '(E15.5E3)', '(E9.2E1)', '(1PE12.4)', '(-1PE12.4)', &
    '(2PE12.4)', '(3PE13.4)', '(1PE15.5E3)', '(-3PE14.6)', '(5PE14.4)', '(1PE10.4)', &
    '(D14.6)', '(1PD14.6)', '(-2PD14.6)', &
    '(G15.5E2)', '(1PG15.5E2)', '(-1PG15.5E2)', '(G12.4)', '(1PG12.4)', '(2PG14.5)', '(G10.3)', &
    '(1P,E12.4,F8.2)', '(1P,0PE12.4)', '(SP,1PE12.4)', '(''x='',1PF9.3)', '(2X,-1PE12.4)', &
    '(3Habc,F8.2)', '(2Hxy,1PE12.4)', '(10000F8.2)', '(10000(1X,F8.2))', '(12000(2H.a,1PE11.3))']
  values = [0.0d0, 1.5d0, -1.5d0, 1234.56d0, 123456.0d0, 0.000123456d0, 9.99995d0, 0.5d0, &
            2.5d0, 1.0d10, 1.0d-10, 1.0d100, -1.0d-100, 1.0d300, 99999.5d0, 0.1d0, &
            1.0d0 / 3.0d0, 66666.66666d0, 6.02214076d23, -2.718281828459045d0, 1.005d0, &
            999.9996d0, 0.95d0, 0.0999999d0, 12345678.9d0, -0.00049d0, 7.0d0, 0.125d0, &
            -987654.321d0, 3.0d-5]
  iformats = [character(len=32) :: '(I5)', '(I8.6)', '(SP,I6)', '(3Habc,I4)', '(10000I3)', &
    '(2X,I4)', '(1P,I6)', '(3HxYz,2X,I0)']
  ivalues = [0_8, 5_8, -5_8, 42_8, 999_8, -1234_8, 2147483647_8, 100000_8, -99_8]

  do i = 1, nr
    do j = 1, nv
      write (*, '(A,A)') 'R ', trim(rformats(i))
      write (*, '(Z16.16)') transfer(values(j), 0_8)
      write (*, rformats(i)) values(j)
    end do
  end do
  do i = 1, ni
    do j = 1, nk
      write (*, '(A,A)') 'I ', trim(iformats(i))
      write (*, '(I0)') ivalues(j)
      write (*, iformats(i)) ivalues(j)
    end do
  end do
end program format_oracle
